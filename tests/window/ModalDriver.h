#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QPointer>
#include <QQueue>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Works the modal dialogs that the code under test opens with exec(), one after the other: each expected
// handler gets the dialog as soon as it is on top and must close it. A dialog no handler was left for is
// named in `unexpected` and rejected; a dialog still open seconds after its handler ran fails the test and is
// rejected, so a test never hangs.
class ModalDriver : public QObject {
public:
    using Handler = std::function<void(QDialog* dialog)>;

    ModalDriver()
    {
        connect(&m_poll, &QTimer::timeout, this, &ModalDriver::poll);
        m_poll.start(10);
    }

    void expect(Handler handler) { m_handlers.enqueue(std::move(handler)); }
    bool allHandled() const { return m_handlers.isEmpty(); }

    QStringList unexpected;

private:
    void poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (dialog == m_current) {
            if (m_closeBy.hasExpired()) {
                ADD_FAILURE() << "a " << dialog->metaObject()->className() << " stayed open";
                dialog->reject();
            }
            return;
        }
        m_current = dialog;
        m_closeBy = QDeadlineTimer(5000);
        if (m_handlers.isEmpty()) {
            unexpected.append(QString::fromLatin1(dialog->metaObject()->className()) + u' ' +
                              dialog->property("text").toString());
            dialog->reject();
        } else {
            // Run apart from the poll: a handler's click may open a dialog of its own (a warning, a question),
            // and the poll must keep running to see it.
            QTimer::singleShot(0, dialog, [dialog, handler = m_handlers.dequeue()] { handler(dialog); });
        }
    }

    QTimer m_poll;
    QQueue<Handler> m_handlers;
    QPointer<QDialog> m_current;
    QDeadlineTimer m_closeBy;
};
