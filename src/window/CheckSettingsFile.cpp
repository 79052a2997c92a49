#include "CheckSettingsFile.h"

#include "store/IniFile.h"

namespace {

const QString Section = QStringLiteral("Check");
const QString ResourcesKey = QStringLiteral("Resources");

} // namespace

CheckSettings readCheckSettings(const QString& iniPath)
{
    CheckSettings settings;
    settings.resources = readIniString(iniPath, Section, ResourcesKey).trimmed() == u"1";
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
