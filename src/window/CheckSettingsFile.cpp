#include "CheckSettingsFile.h"

#include "common/NativeName.h"
#include "store/IniFile.h"

#include <QRegularExpression>

namespace {

const QString Section = QStringLiteral("Check");
const QString ResourcesKey = QStringLiteral("Resources");
const QString RootKey = QStringLiteral("RootDir");
const QString ExcludeKey = QStringLiteral("Exclude");
const QString IncludeKey = QStringLiteral("Include");
const QString OfflineKey = QStringLiteral("Offline");
const QString TimeoutKey = QStringLiteral("Timeout");
const QString UserAgentKey = QStringLiteral("UserAgent");
const QString HeaderKey = QStringLiteral("Header%1");
const QString AcceptKey = QStringLiteral("Accept");

// A pattern key's regular expression; none when the key is missing, empty or no valid expression.
QList<QRegularExpression> patternOf(const IniFile& ini, const QString& key)
{
    const QRegularExpression pattern(ini.value(Section, key).trimmed());
    if (pattern.pattern().isEmpty() || !pattern.isValid())
        return {};
    return {pattern};
}

RequestOptions readRequestOptions(const IniFile& ini)
{
    RequestOptions request;
    bool ok = false;
    const int timeout = ini.value(Section, TimeoutKey).trimmed().toInt(&ok);
    if (ok && timeout > 0)
        request.deadlineSeconds = timeout;
    request.userAgent = ini.value(Section, UserAgentKey).trimmed();
    // Header1, Header2 ... up to the first number missing.
    for (int number = 1;; ++number) {
        const std::optional<HostHeader> header = parseHostHeader(ini.value(Section, HeaderKey.arg(number)));
        if (!header)
            break;
        request.headers.append(*header);
    }
    request.acceptedStatuses = parseStatusList(ini.value(Section, AcceptKey)).value_or(QSet<long>());
    return request;
}

} // namespace

CheckSettings readCheckSettings(const QString& iniPath)
{
    const IniFile ini(iniPath);
    CheckSettings settings;
    settings.resources = ini.value(Section, ResourcesKey).trimmed() == u"1";
    // A folder's name is bytes, which need not be UTF-8.
    settings.siteRoot = fromNativeName(ini.valueBytes(Section, RootKey).trimmed());
    settings.filter = {patternOf(ini, IncludeKey), patternOf(ini, ExcludeKey),
                       ini.value(Section, OfflineKey).trimmed() == u"1"};
    settings.request = readRequestOptions(ini);
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
