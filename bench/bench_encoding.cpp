// Times reading documents of 1 MB and 10 MB in several encodings: decoding in a known encoding, then
// detecting and decoding together, whose difference is what detection costs; and times writing them,
// with the check for characters written as their nearest character.

#include "BestTime.h"
#include "common/EncodingDetection.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Japanese markup of about `bytes` UTF-16 units, CR LF line ends.
QString generate(qsizetype units)
{
    const QString line = QStringLiteral("<p>吾輩は猫である。名前はまだ無い。<a href=\"page%1.html#n\">リンク</a> "
                                        "lorem ipsum dolor sit amet.</p>\r\n");
    QString text = QStringLiteral("<html><head><title>テスト</title></head><body>\r\n");
    text.reserve(units + 256);
    for (int i = 0; text.size() < units; ++i)
        text += line.arg(i);
    return text + QStringLiteral("</body></html>\r\n");
}

void timeReading(const char* what, const QByteArray& bytes, const QString& contentType)
{
    const QString name = detectEncoding(bytes, contentType, QStringLiteral("auto")).encoding.name;
    const double decode = milliseconds([&] { decodeDocument(bytes, name); });
    const double both = milliseconds([&] { decodeDetected(bytes, contentType, QStringLiteral("auto")); });
    std::printf("  read %-34s %6.1f MB  decode %7.1f ms  detect+decode %7.1f ms  (%s)\n", what,
                bytes.size() / 1048576.0, decode, both, qPrintable(name));
}

void timeWriting(const QString& text, const char* encoding)
{
    const TextEncoding target{QString::fromLatin1(encoding)};
    CodePage::Encoded written;
    const double encode = milliseconds([&] { written = encodeDocument(text, target); });
    // For comparison: what decoding the whole written text again would add to every write.
    const double reread = milliseconds([&] { decodeDocument(written.bytes, target.name); });
    std::printf("  write %-33s %6.1f MB  encode %7.1f ms  (a whole re-read would add %.1f ms)\n", encoding,
                written.bytes.size() / 1048576.0, encode, reread);
}

} // namespace

int main()
{
    for (const qsizetype megabytes : {1, 10}) {
        const QString text = generate(megabytes * 1024 * 1024 / 2); // about `megabytes` MB in UTF-8 and CP932
        const QString declared = QStringLiteral("<meta charset=\"shift_jis\">") + text;
        const auto bytesOf = [](const char* encoding, const QString& text) {
            return CodePage(QString::fromLatin1(encoding)).encode(text).bytes;
        };
        QByteArray junk(megabytes * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator random(3);
        for (char& byte : junk)
            byte = char(random.bounded(256));

        std::printf("%lld MB of text:\n", static_cast<long long>(megabytes));
        timeReading("UTF-8", bytesOf("UTF-8", text), QString());
        timeReading("UTF-8 with a mark", "\xEF\xBB\xBF" + bytesOf("UTF-8", text), QString());
        timeReading("UTF-8, a bad byte at the end", bytesOf("UTF-8", text) + '\xFF', QString());
        timeReading("CP932 undeclared", bytesOf("CP932", text), QString());
        timeReading("CP932 with a meta declaration", bytesOf("CP932", declared), QString());
        timeReading("CP932 with an HTTP charset", bytesOf("CP932", text), QStringLiteral("text/html; charset=sjis"));
        timeReading("UTF-8 declared Shift_JIS (a lie)", bytesOf("UTF-8", declared), QString());
        timeReading("EUC-JP undeclared", bytesOf("EUC-JP", text), QString());
        timeReading("binary junk", junk, QString());
        timeWriting(text, "UTF-8");
        timeWriting(text, "CP932");
        timeWriting(text, "EUC-JP");
    }
    return 0;
}
