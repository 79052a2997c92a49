#pragma once

#include <QObject>

class QActionGroup;
class QLabel;
class QMenu;
class QMenuBar;
class QWidget;
struct Document;

// The "文字コード" menu, which reopens the document in an encoding the user chooses, and the label at the
// right end of the status strip that names the document's encoding.
class EncodingMenu : public QObject {
    Q_OBJECT
public:
    // The menu goes to the end of the menu bar, the label into the strip.
    EncodingMenu(const Document& document, QMenuBar* menuBar, QWidget* statusStrip, QObject* parent = nullptr);

    // Shows the document's encoding on the label and marks its item; the menu works only while a document is
    // loaded and the window is idle.
    void refresh(bool idle);

signals:
    // An item was chosen: the encoding to reopen the document in, as DocumentLoader::load takes it.
    void encodingChosen(const QString& encoding);

private:
    const Document& m_document;
    QMenu* m_menu = nullptr;
    QActionGroup* m_items = nullptr;
    QLabel* m_label = nullptr;
};
