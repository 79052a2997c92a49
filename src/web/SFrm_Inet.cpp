#include "SFrm_Inet.h"

#include "WebCheck.h"
#include "common/RunState.h"

#include <QCoreApplication>
#include <QTimer>

SFrm_Inet::SFrm_Inet(const AbortRequest& abort, WebCheck& web, QObject* parent)
    : QObject(parent), m_abort(abort), m_web(web)
{
    connect(&Inet1, &InetControl::StateChanged, &m_web, &WebCheck::Inet1_StateChanged);
    Inet1.setAbortCheck([this] { return m_abort.isRequested(); });
}

SFrm_Inet::~SFrm_Inet()
{
    unload();
}

void SFrm_Inet::show()
{
    if (!m_loaded)
        Form_Load();
    QTimer::singleShot(0, this, &SFrm_Inet::Form_Activate);
}

void SFrm_Inet::unload()
{
    if (m_loaded)
        Form_Unload();
}

void SFrm_Inet::Form_Load()
{
    m_loaded = true;
    m_web.Fnc_SetInetObject(&Inet1);
}

void SFrm_Inet::Form_Activate()
{
    if (m_loaded)
        m_ready = true;
}

void SFrm_Inet::Form_Unload()
{
    Inet1.Cancel();
    m_web.Fnc_ClearInetObject();
    m_ready = false;
    m_loaded = false;
}

InetSession::InetSession(const AbortRequest& abort, WebCheck& web) : m_window(abort, web)
{
    m_window.show();
    while (!m_window.isReady())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

InetSession::~InetSession()
{
    m_window.unload();
}
