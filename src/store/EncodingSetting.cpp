#include "EncodingSetting.h"

#include "IniFile.h"
#include "common/CodePage.h"

DocumentEncoding readDocumentEncoding(const QString& iniPath)
{
    const QString fallback = QString::fromLatin1(CodePage::DefaultName);
    const QString configured = Fnc_ReadIniString(iniPath, QStringLiteral("Settings"), QStringLiteral("Encoding"));
    if (configured.isEmpty())
        return {fallback, QString()};
    if (CodePage(configured).isKnown())
        return {configured, QString()};
    return {fallback, QStringLiteral("INIファイルの文字コード「%1」は使用できません。\r\n%2で読み書きします。")
                          .arg(configured, fallback)};
}
