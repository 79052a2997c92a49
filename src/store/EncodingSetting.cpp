#include "EncodingSetting.h"

#include "IniFile.h"
#include "common/CodePage.h"
#include "common/EncodingLabels.h"

namespace {

const QString Auto = QStringLiteral("auto");

} // namespace

EncodingSetting readEncodingSetting(const QString& iniPath)
{
    const QString configured = readIniString(iniPath, QStringLiteral("Settings"), QStringLiteral("Encoding")).trimmed();
    if (configured.isEmpty())
        return {Auto, QString()};
    if (isUsableEncodingSetting(configured))
        return {configured, QString()};
    return {Auto, configured};
}

bool isUsableEncodingSetting(const QString& name)
{
    const QString trimmed = name.trimmed();
    return trimmed.compare(Auto, Qt::CaseInsensitive) == 0 || !encodingForLabel(trimmed).isEmpty() ||
           CodePage(trimmed).isKnown();
}
