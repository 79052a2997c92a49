#include "EncodingDetection.h"

#include "EncodingLabels.h"
#include "MetaCharset.h"
#include "Utf8Scan.h"

#include <uchardet/uchardet.h>

#include <memory>
#include <optional>

namespace {

const QString Utf8Name = QStringLiteral("UTF-8");
const QString EucJp = QStringLiteral("EUC-JP");
const QString FallbackName = QString::fromLatin1(CodePage::DefaultName);

// The statistics need only the bytes beyond ASCII and settle early on text; on binary junk they read
// everything, at a few MB/s, so they read no more than this.
constexpr qsizetype GuessWindowBytes = 64 * 1024;

// The code page the configuration forces; empty for "auto".
QString forcedEncoding(const QString& configured)
{
    const QString name = configured.trimmed();
    if (name.isEmpty() || name.compare(u"auto", Qt::CaseInsensitive) == 0)
        return QString();
    const QString labelled = encodingForLabel(name);
    if (!labelled.isEmpty())
        return labelled;
    return CodePage(name).isKnown() ? name.toUpper() : QString();
}

QString markedEncoding(const QByteArray& bytes)
{
    for (const QString& name : {Utf8Name, QStringLiteral("UTF-16LE"), QStringLiteral("UTF-16BE")}) {
        if (bytes.startsWith(byteOrderMarkOf(name)))
            return name;
    }
    return QString();
}

// Markup in UTF-16 without a mark: in its first bytes one of each pair of bytes is often zero, the other
// almost never.
QString unmarkedUtf16(const QByteArray& bytes)
{
    const qsizetype size = qMin(bytes.size(), MetaScanBytes) & ~qsizetype(1);
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < size; ++i) {
        if (bytes[i] == '\0')
            ++zeros[i % 2];
    }
    const qsizetype units = size / 2;
    if (zeros[1] * 4 >= units && zeros[0] * 8 <= zeros[1] && units > 0)
        return QStringLiteral("UTF-16LE");
    if (zeros[0] * 4 >= units && zeros[1] * 8 <= zeros[0] && units > 0)
        return QStringLiteral("UTF-16BE");
    return QString();
}

struct UchardetDeleter {
    void operator()(uchardet_t detector) const { uchardet_delete(detector); }
};

// The statistical guess, as a canonical name; empty when there is none, or it names an encoding browsers
// do not read or a UTF-16 or UTF-32 one. It starts at the first byte beyond ASCII (or ISO-2022-JP's ESC), where the
// evidence is.
QString statisticalGuess(const QByteArray& bytes)
{
    qsizetype start = 0;
    while (start < bytes.size() && static_cast<unsigned char>(bytes[start]) < 0x80 && bytes[start] != '\x1B')
        ++start;
    if (start == bytes.size())
        return QString();
    const std::unique_ptr<uchardet, UchardetDeleter> detector(uchardet_new());
    const qsizetype length = qMin(bytes.size() - start, GuessWindowBytes);
    if (!detector || uchardet_handle_data(detector.get(), bytes.constData() + start, size_t(length)) != 0)
        return QString();
    uchardet_data_end(detector.get());
    const QString guess = encodingForLabel(QString::fromLatin1(uchardet_get_charset(detector.get())));
    // Without a mark, UTF-16 shows in its zero bytes (unmarkedUtf16); a guess of UTF-16 or UTF-32 from a
    // few stray bytes would read mostly-ASCII markup as CJK characters and lose every tag.
    return guess.startsWith(u"UTF-16") || guess.startsWith(u"UTF-32") ? QString() : guess;
}

bool isJapanese(const QString& name)
{
    return name == FallbackName || name == EucJp || name == u"ISO-2022-JP";
}

// The rules over one document's bytes. A trial decode that comes out clean is kept, so the encoding
// that wins is seldom decoded twice.
class Detector {
public:
    explicit Detector(const QByteArray& bytes) : m_bytes(bytes) {}

    DetectedEncoding detect(const QString& httpContentType, const QString& configured)
    {
        const QString forced = forcedEncoding(configured);
        if (!forced.isEmpty()) {
            const QByteArray mark = byteOrderMarkOf(forced);
            return {{forced, !mark.isEmpty() && m_bytes.startsWith(mark)}, EncodingRule::Forced};
        }
        const QString marked = markedEncoding(m_bytes);
        if (!marked.isEmpty())
            return {{marked, true}, EncodingRule::Bom};
        const QString header = encodingForLabel(QString::fromLatin1(charsetParameter(httpContentType.toLatin1())));
        if (!header.isEmpty())
            return declared(header, EncodingRule::HttpCharset);
        const QString meta = metaDeclaredEncoding(m_bytes);
        if (!meta.isEmpty())
            return declared(meta, EncodingRule::MetaDeclaration);
        if (isUtf8BeyondAscii())
            return {{Utf8Name}, EncodingRule::Utf8};
        return guessed();
    }

    DecodedDocument decode(const TextEncoding& encoding)
    {
        if (m_trial && m_trial->encoding == encoding)
            return std::move(*m_trial);
        if (encoding == TextEncoding{Utf8Name} && m_utf8 && m_utf8->valid())
            return {QString::fromUtf8(m_bytes), encoding}; // already validated: no second pass
        return decodeDocument(m_bytes, encoding.name);
    }

private:
    // A declaration stands unless it does not decode the bytes while UTF-8 or the fallback does.
    DetectedEncoding declared(const QString& name, EncodingRule rule)
    {
        if (decodesCleanly(name))
            return {{name}, rule};
        if (isUtf8BeyondAscii())
            return {{Utf8Name}, EncodingRule::Utf8};
        if (decodesCleanly(FallbackName))
            return {{FallbackName}, EncodingRule::Fallback};
        return {{name}, rule};
    }

    DetectedEncoding guessed()
    {
        const QString utf16 = unmarkedUtf16(m_bytes);
        if (!utf16.isEmpty())
            return {{utf16}, EncodingRule::Guess};
        const QString guess = statisticalGuess(m_bytes);
        // What the statistics read was UTF-8: bad bytes further on are reported by the decoding.
        if (guess == Utf8Name)
            return {{Utf8Name}, EncodingRule::Guess};
        // Short Japanese texts are often guessed as Windows-1252 or Greek: Japanese goes first.
        if (isJapanese(guess) && decodesCleanly(guess))
            return {{guess}, EncodingRule::Guess};
        if (decodesCleanly(FallbackName))
            return {{FallbackName}, EncodingRule::Fallback};
        if (decodesCleanly(EucJp))
            return {{EucJp}, EncodingRule::Guess};
        if (!guess.isEmpty())
            return {{guess}, EncodingRule::Guess};
        return {{FallbackName}, EncodingRule::Fallback};
    }

    bool isUtf8BeyondAscii()
    {
        if (!m_utf8)
            m_utf8 = scanUtf8(m_bytes);
        return m_utf8->valid() && m_utf8->multiByte;
    }

    // Only called when the bytes hold no byte-order mark.
    bool decodesCleanly(const QString& name)
    {
        if (m_trial && m_trial->encoding.name == name)
            return true;
        std::optional<QString> text = CodePage(name).decodeClean(m_bytes);
        if (!text)
            return false;
        m_trial = DecodedDocument{std::move(*text), {name}};
        return true;
    }

    const QByteArray& m_bytes;
    std::optional<Utf8Scan> m_utf8;
    std::optional<DecodedDocument> m_trial; // the last trial decode that came out clean
};

} // namespace

DetectedEncoding detectEncoding(const QByteArray& bytes, const QString& httpContentType, const QString& configured)
{
    return Detector(bytes).detect(httpContentType, configured);
}

DetectedDocument decodeDetected(const QByteArray& bytes, const QString& httpContentType, const QString& configured)
{
    Detector detector(bytes);
    const DetectedEncoding detected = detector.detect(httpContentType, configured);
    return {detector.decode(detected.encoding), detected.rule};
}
