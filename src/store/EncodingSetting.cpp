#include "EncodingSetting.h"

#include "IniFile.h"
#include "common/CodePage.h"

EncodingSetting readEncodingSetting(const QString& iniPath)
{
    const QString fallback = QString::fromLatin1(CodePage::DefaultName);
    const QString configured = readIniString(iniPath, QStringLiteral("Settings"), QStringLiteral("Encoding"));
    if (configured.isEmpty())
        return {fallback, QString()};
    if (CodePage(configured).isKnown())
        return {configured, QString()};
    return {fallback, configured};
}
