#include "CheckSettingsFile.h"

#include "common/NativeName.h"
#include "store/IniFile.h"

namespace {

const QString Section = QStringLiteral("Check");
const QString ResourcesKey = QStringLiteral("Resources");
const QString RootKey = QStringLiteral("RootDir");

} // namespace

CheckSettings readCheckSettings(const QString& iniPath)
{
    const IniFile ini(iniPath);
    CheckSettings settings;
    settings.resources = ini.value(Section, ResourcesKey).trimmed() == u"1";
    // A folder's name is bytes, which need not be UTF-8.
    settings.siteRoot = fromNativeName(ini.valueBytes(Section, RootKey).trimmed());
    return settings;
}

WriteResult writeResourcesSetting(const QString& iniPath, bool on)
{
    IniFile ini(iniPath);
    if (!ini.setValue(Section, ResourcesKey, on ? QStringLiteral("1") : QStringLiteral("0")) || !ini.save()) {
        WriteResult failed = ini.writeResult();
        if (failed.ok())
            failed.failure = WriteFailure::NotRegularFile; // the file exists and could not be read
        return failed;
    }
    return {};
}
