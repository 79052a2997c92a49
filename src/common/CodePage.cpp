#include "CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openIconv(const QString& to, const QString& from)
{
    iconv_t cd = iconv_open(to.toLatin1().constData(), from.toLatin1().constData());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return IconvHandle(cd);
}

} // namespace

CodePage::CodePage(QString name) : m_name(std::move(name)) {}

bool CodePage::isKnown() const
{
    return openIconv(QStringLiteral("UTF-16LE"), m_name) != nullptr;
}

QString CodePage::decode(const QByteArray& bytes) const
{
    IconvHandle cd = openIconv(QStringLiteral("UTF-16LE"), m_name);
    if (!cd)
        return QString::fromUtf8(bytes);

    QString out;
    out.resize(bytes.size() + 1);  // no code page yields more UTF-16 units than bytes, plus one U+FFFD
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    qsizetype written = 0;
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(out.data() + written);
        size_t outLeft = size_t(out.size() - written) * sizeof(char16_t);
        const size_t rc = iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &outPtr, &outLeft);
        written = (outPtr - reinterpret_cast<char*>(out.data())) / qsizetype(sizeof(char16_t));
        if (rc != size_t(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        // EILSEQ or EINVAL (a truncated sequence at the end): one replacement per bad byte.
        if (written >= out.size())
            out.resize(out.size() * 2 + 16);
        out[written++] = QChar::ReplacementCharacter;
        ++in;
        --inLeft;
        iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
    }
    out.truncate(written);
    return out;
}

CodePage::Encoded CodePage::encode(const QString& text) const
{
    Encoded result;
    IconvHandle cd = openIconv(m_name, QStringLiteral("UTF-16LE"));
    if (!cd) {
        result.failedAt = text.isEmpty() ? -1 : 0;
        return result;
    }
    result.bytes.resize(text.size() * 2 + 16);
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    size_t inLeft = size_t(text.size()) * sizeof(char16_t);
    qsizetype written = 0;
    while (inLeft > 0) {
        char* outPtr = result.bytes.data() + written;
        size_t outLeft = size_t(result.bytes.size() - written);
        const size_t rc = iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &outPtr, &outLeft);
        written = outPtr - result.bytes.data();
        if (rc != size_t(-1))
            break;
        if (errno == E2BIG) {
            result.bytes.resize(result.bytes.size() * 2);
            continue;
        }
        result.failedAt = text.size() - qsizetype(inLeft / sizeof(char16_t));
        result.bytes.clear();
        return result;
    }
    result.bytes.truncate(written);
    return result;
}
