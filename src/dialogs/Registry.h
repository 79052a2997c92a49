#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The system registry, read-only: a tree of keys under a few roots, each key holding named values.
// The About box looks up the system information tool in it.

// Root keys are given by their handle numbers.
constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002;

// Value types.
constexpr quint32 REG_SZ = 1;    // text, stored with a terminating NUL
constexpr quint32 REG_DWORD = 4; // a 32-bit number, stored as 4 little-endian bytes

struct RegistryValue {
    quint32 type = 0;
    QByteArray data; // the bytes as stored
};

class Registry {
public:
    virtual ~Registry() = default;
    // The value named valueName of the key keyName (a "\"-separated path) under root; nullopt when
    // the key cannot be opened or holds no such value.
    virtual std::optional<RegistryValue> value(quint32 root, const QString& keyName,
                                               const QString& valueName) const = 0;
};

// The registry of the system the program runs on. Linux keeps no such store: it holds no values.
class SystemRegistry : public Registry {
public:
    std::optional<RegistryValue> value(quint32 root, const QString& keyName, const QString& valueName) const override;
};
