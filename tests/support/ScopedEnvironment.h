#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets an environment variable for one scope and restores the old value after. An empty value unsets
// the variable, so a variable that was set but empty ends up unset.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name)) { set(value); }
    ~ScopedEnvironment() { set(m_old); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void set(const QByteArray& value) const { value.isEmpty() ? qunsetenv(m_name) : qputenv(m_name, value); }

    const char* m_name;
    QByteArray m_old;
};
