#include "CodePage.h"

#include "Utf8Scan.h"

#include <QHash>
#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <vector>

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openIconv(const QString& to, const QString& from)
{
    if (to.isEmpty() || from.isEmpty())
        return nullptr; // iconv would take "" for the locale's code page
    iconv_t cd = iconv_open(to.toLatin1().constData(), from.toLatin1().constData());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return IconvHandle(cd);
}

iconv_t raw(const IconvHandle& cd)
{
    return static_cast<iconv_t>(cd.get());
}

const QString Utf16 = QStringLiteral("UTF-16LE"); // QString's own units, as iconv names them

bool isUtf8(const QString& name)
{
    return name.compare(u"UTF-8", Qt::CaseInsensitive) == 0 || name.compare(u"UTF8", Qt::CaseInsensitive) == 0;
}

// In every Unicode encoding form a character that encodes at all reads back as itself.
bool isUnicodeForm(const QString& name)
{
    return name.startsWith(u"UTF", Qt::CaseInsensitive) || name.startsWith(u"UCS", Qt::CaseInsensitive);
}

// An undecodable code unit of UTF-16 or UTF-32 is skipped whole, so the rest stays in step.
size_t codeUnitBytes(const QString& name)
{
    if (name.startsWith(u"UTF-16", Qt::CaseInsensitive) || name.startsWith(u"UCS-2", Qt::CaseInsensitive))
        return 2;
    if (name.startsWith(u"UTF-32", Qt::CaseInsensitive) || name.startsWith(u"UCS-4", Qt::CaseInsensitive))
        return 4;
    return 1;
}

// Runs iconv from *in (a null `in`: the return to the initial shift state) into `out` from `written` on,
// growing `out` as needed. False, with errno set, when iconv stops at input it cannot convert.
bool convertInto(iconv_t cd, char** in, size_t* inLeft, QByteArray& out, qsizetype& written)
{
    for (;;) {
        char* outPtr = out.data() + written;
        size_t outLeft = size_t(out.size() - written);
        const size_t rc = iconv(cd, in, inLeft, &outPtr, &outLeft);
        written = outPtr - out.data();
        if (rc != size_t(-1))
            return true;
        if (errno != E2BIG)
            return false;
        out.resize(out.size() * 2 + 16);
    }
}

// Decodes all of `bytes` into result.text; every undecodable byte (or code unit of `unit` bytes) becomes one
// U+FFFD. With stopAtBadByte, gives up at the first one instead and returns false.
bool decodeInto(iconv_t cd, QByteArrayView bytes, size_t unit, bool stopAtBadByte, CodePage::Decoded& result)
{
    QString& out = result.text;
    out.resize(bytes.size() + 1); // no code page yields more UTF-16 units than bytes, plus one U+FFFD
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    qsizetype written = 0;
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(out.data() + written);
        size_t outLeft = size_t(out.size() - written) * sizeof(char16_t);
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        written = (outPtr - reinterpret_cast<char*>(out.data())) / qsizetype(sizeof(char16_t));
        if (rc != size_t(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        // EILSEQ or EINVAL (a truncated sequence at the end).
        if (stopAtBadByte)
            return false;
        if (written >= out.size())
            out.resize(out.size() * 2 + 16);
        out[written++] = QChar::ReplacementCharacter;
        const size_t skipped = qMin(unit, inLeft);
        if (result.firstBadByte < 0)
            result.firstBadByte = bytes.size() - qsizetype(inLeft);
        result.badByteCount += qsizetype(skipped);
        in += skipped;
        inLeft -= skipped;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate(written);
    return true;
}

// Decodes UTF-8 as it stands: EF BB BF at the start is the character U+FEFF like anywhere else
// (QString::fromUtf8 drops it, and with it a character of the text).
QStringDecoder utf8Decoder()
{
    return QStringDecoder(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
}

// Valid stretches decode at full speed; every byte that starts no valid sequence becomes one U+FFFD.
CodePage::Decoded decodeUtf8(QByteArrayView bytes)
{
    CodePage::Decoded result;
    QStringDecoder decoder = utf8Decoder();
    qsizetype at = 0;
    while (at < bytes.size()) {
        const Utf8Scan scan = scanUtf8(bytes.sliced(at));
        if (scan.valid()) {
            result.text += decoder(bytes.sliced(at));
            break;
        }
        result.text += decoder(bytes.sliced(at, scan.firstInvalid));
        result.text += QChar::ReplacementCharacter;
        at += scan.firstInvalid;
        if (result.firstBadByte < 0)
            result.firstBadByte = at;
        ++result.badByteCount;
        ++at;
    }
    return result;
}

// UTF-8 holds every character; only a lone surrogate cannot be written.
CodePage::Encoded encodeUtf8(const QString& text)
{
    CodePage::Encoded result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text.at(i).isSurrogate())
            continue;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        result.failedAt = i;
        return result;
    }
    result.bytes = text.toUtf8();
    return result;
}

// Whether a character reads back as itself once encoded (glibc's CP932 writes U+00A5 as 0x5C, which
// reads back as U+005C), worked out once per distinct code point: a text of millions of characters
// holds only a few thousand distinct ones.
class RoundTripCache {
public:
    explicit RoundTripCache(const QString& name)
        : m_encoder(openIconv(name, Utf16)), m_decoder(openIconv(Utf16, name)), m_bmp(0x10000, Unknown)
    {
    }

    // `character`: one code point, one unit or a surrogate pair.
    bool readsBack(QStringView character)
    {
        const char32_t code =
            character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1]) : character[0].unicode();
        if (code < 0x10000) {
            State& state = m_bmp[code];
            if (state == Unknown)
                state = test(character) ? Same : Changed;
            return state == Same;
        }
        auto known = m_astral.constFind(code);
        if (known == m_astral.constEnd())
            known = m_astral.insert(code, test(character));
        return *known;
    }

private:
    enum State : unsigned char { Unknown, Same, Changed };

    bool test(QStringView character)
    {
        const QByteArrayView units(reinterpret_cast<const char*>(character.data()), character.size() * 2);
        QByteArray encoded(16, Qt::Uninitialized);
        qsizetype encodedSize = 0;
        char* in = const_cast<char*>(units.data());
        size_t inLeft = size_t(units.size());
        iconv(raw(m_encoder), nullptr, nullptr, nullptr, nullptr);
        if (!convertInto(raw(m_encoder), &in, &inLeft, encoded, encodedSize) ||
            !convertInto(raw(m_encoder), nullptr, nullptr, encoded, encodedSize))
            return true; // not encodable on its own: nothing written for it can read back differently
        QByteArray decoded(16, Qt::Uninitialized);
        qsizetype decodedSize = 0;
        in = encoded.data();
        inLeft = size_t(encodedSize);
        iconv(raw(m_decoder), nullptr, nullptr, nullptr, nullptr);
        if (!convertInto(raw(m_decoder), &in, &inLeft, decoded, decodedSize))
            return false;
        return QByteArrayView(decoded.constData(), decodedSize) == units;
    }

    IconvHandle m_encoder;
    IconvHandle m_decoder;
    std::vector<State> m_bmp;
    QHash<char32_t, bool> m_astral;
};

void countChangedCharacters(CodePage::Encoded& result, const QString& text, const QString& name)
{
    RoundTripCache cache(name);
    const QStringView view(text);
    for (qsizetype i = 0; i < view.size();) {
        const qsizetype length = view[i].isHighSurrogate() && i + 1 < view.size() ? 2 : 1;
        if (!cache.readsBack(view.sliced(i, length))) {
            if (result.changedAt < 0)
                result.changedAt = i;
            ++result.changedCount;
        }
        i += length;
    }
}

} // namespace

CodePage::CodePage(QString name) : m_name(std::move(name)) {}

bool CodePage::isKnown() const
{
    return openIconv(Utf16, m_name) != nullptr;
}

CodePage::Decoded CodePage::decodeChecked(QByteArrayView bytes) const
{
    IconvHandle cd = isUtf8(m_name) ? nullptr : openIconv(Utf16, m_name);
    if (!cd)
        return decodeUtf8(bytes);
    Decoded result;
    decodeInto(raw(cd), bytes, codeUnitBytes(m_name), false, result);
    return result;
}

std::optional<QString> CodePage::decodeClean(QByteArrayView bytes) const
{
    IconvHandle cd = isUtf8(m_name) ? nullptr : openIconv(Utf16, m_name);
    if (!cd) {
        if (!scanUtf8(bytes).valid())
            return std::nullopt;
        return QString(utf8Decoder()(bytes));
    }
    Decoded result;
    if (!decodeInto(raw(cd), bytes, codeUnitBytes(m_name), true, result))
        return std::nullopt;
    return std::move(result.text);
}

CodePage::Encoded CodePage::encode(const QString& text) const
{
    if (isUtf8(m_name))
        return encodeUtf8(text);
    Encoded result;
    IconvHandle cd = openIconv(m_name, Utf16);
    if (!cd) {
        result.failedAt = text.isEmpty() ? -1 : 0;
        return result;
    }
    result.bytes.resize(text.size() * 2 + 16);
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    size_t inLeft = size_t(text.size()) * sizeof(char16_t);
    qsizetype written = 0;
    if (!convertInto(raw(cd), &in, &inLeft, result.bytes, written)) {
        result.failedAt = text.size() - qsizetype(inLeft / sizeof(char16_t));
        result.bytes.clear();
        return result;
    }
    // A stateful code page (ISO-2022-JP) returns to its initial shift state at the end.
    convertInto(raw(cd), nullptr, nullptr, result.bytes, written);
    result.bytes.truncate(written);
    if (!isUnicodeForm(m_name))
        countChangedCharacters(result, text, m_name);
    return result;
}
