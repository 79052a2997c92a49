#pragma once

#include "InetControl.h"

#include <QObject>

class WebCheck;
class AbortRequest;

// The hidden transfer window: it hosts the transfer control through which every request goes, and
// exists only while a load or a check run is in progress. Never seen by the user.
class SFrm_Inet : public QObject {
    Q_OBJECT
public:
    SFrm_Inet(const AbortRequest& abort, WebCheck& web, QObject* parent = nullptr);
    bool isReady() const { return m_ready; }
    ~SFrm_Inet() override;

    // Loads the window if needed and activates it on the next turn of the event loop.
    void show();
    void unload();

    InetControl Inet1;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Unload();

    const AbortRequest& m_abort;
    bool m_ready = false;
    WebCheck& m_web;
    bool m_loaded = false;
};

// Shows the hidden transfer window for one load or check run, waits until it is ready, and unloads
// it when the run ends, however it ends.
class InetSession {
public:
    InetSession(const AbortRequest& abort, WebCheck& web);
    ~InetSession();
    InetSession(const InetSession&) = delete;
    InetSession& operator=(const InetSession&) = delete;

private:
    SFrm_Inet m_window;
};
