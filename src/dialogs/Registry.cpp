#include "Registry.h"

std::optional<RegistryValue> SystemRegistry::value(quint32, const QString&, const QString&) const
{
    return std::nullopt;
}
