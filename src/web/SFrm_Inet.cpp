#include "SFrm_Inet.h"

#include "WebCheck.h"
#include "common/DocumentState.h"

#include <QCoreApplication>
#include <QTimer>

SFrm_Inet::SFrm_Inet(DocumentState& state, WebCheck& web, QObject* parent)
    : QObject(parent), m_state(state), m_web(web)
{
    connect(&Inet1, &InetControl::StateChanged, &m_web, &WebCheck::Inet1_StateChanged);
    Inet1.setAbortCheck([this] { return m_state.AbortRequested; });
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
        m_state.InetReady = true;
}

void SFrm_Inet::Form_Unload()
{
    Inet1.Cancel();
    m_web.Fnc_ClearInetObject();
    m_state.InetReady = false;
    m_loaded = false;
}

InetSession::InetSession(DocumentState& state, WebCheck& web) : m_window(state, web)
{
    state.InetReady = false;
    m_window.show();
    while (!state.InetReady)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

InetSession::~InetSession()
{
    m_window.unload();
}
