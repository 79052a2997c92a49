#pragma once

#include <QDialog>

class Prompter;
class ProgramStarter;
class Registry;

// The About window: the program's title and version, and a button that starts the system information
// tool. Modal; it keeps nothing between openings.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the window modally over parent, reading the system's registry, starting real programs and
    // reporting through prompter. Returns when the window has been closed.
    static void showModal(QWidget* parent, Prompter& prompter);

    // The registry, the starter and the prompter must outlive the window.
    AboutDialog(const Registry& registry, ProgramStarter& starter, Prompter& prompter, QWidget* parent = nullptr);

    // Finds and starts the system information tool without waiting for it, or tells the user that
    // there is none or that it would not start. The window stays open either way.
    void startSysInfo();
    // Reads the value subKeyRef of the key keyName under keyRoot as text into keyVal: a string as it
    // is, a number in decimal; a value of another type leaves keyVal as passed. False, with keyVal
    // emptied, when the key or the value cannot be read.
    bool getKeyValue(quint32 keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal) const;

private:
    QString findDesktopTool() const;

    const Registry& m_registry;
    ProgramStarter& m_starter;
    Prompter& m_prompter;
};
