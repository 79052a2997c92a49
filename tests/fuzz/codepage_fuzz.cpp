// Any bytes in any of the code pages the program meets, and any text encoded back: the decoders report
// bad bytes consistently, agree with each other, and an exact encoding reads back as the text.

#include "FuzzCheck.h"
#include "FuzzText.h"
#include "common/CodePage.h"
#include "common/EncodingDetection.h"
#include "common/TextEncoding.h"

#include <QByteArray>

namespace {

const char* const Names[] = {"CP932",  "EUC-JP",           "ISO-2022-JP", "UTF-8", "UTF-16LE", "UTF-16BE",  "UTF-32LE",
                             "UTF-16", "WINDOWS-1252",     "GB18030",     "BIG5",  "KOI8-R",   "SHIFT_JIS", "auto",
                             "",       "no-such-code-page"};

void checkDecoded(const CodePage& codePage, const QByteArray& bytes)
{
    const CodePage::Decoded decoded = codePage.decodeChecked(bytes);
    FUZZ_CHECK(decoded.badByteCount >= 0 && decoded.badByteCount <= bytes.size());
    FUZZ_CHECK((decoded.firstBadByte < 0) == decoded.clean());
    FUZZ_CHECK(decoded.firstBadByte < bytes.size());
    FUZZ_CHECK(codePage.decode(bytes) == decoded.text);
    const std::optional<QString> clean = codePage.decodeClean(bytes);
    FUZZ_CHECK(clean.has_value() == decoded.clean());
    FUZZ_CHECK(!clean || *clean == decoded.text);
}

void checkEncoded(const CodePage& codePage, const QString& text)
{
    const CodePage::Encoded encoded = codePage.encode(text);
    FUZZ_CHECK(encoded.failedAt < text.size() && encoded.changedAt < text.size());
    FUZZ_CHECK(encoded.ok() || encoded.bytes.isEmpty());
    FUZZ_CHECK((encoded.changedCount == 0) == (encoded.changedAt < 0));
    if (encoded.exact())
        FUZZ_CHECK(codePage.decode(encoded.bytes) == text);
}

void checkDocument(const QByteArray& bytes, const QString& name, const QString& contentType)
{
    const DecodedDocument document = decodeDocument(bytes, name);
    FUZZ_CHECK(document.firstBadByte < bytes.size() && (document.firstBadByte < 0) == document.clean());
    const CodePage::Encoded encoded = encodeDocument(document.text, document.encoding);
    if (encoded.exact()) {
        const DecodedDocument again = decodeDocument(encoded.bytes, document.encoding.name);
        FUZZ_CHECK(again.text == document.text && again.encoding == document.encoding);
    }

    const DetectedDocument detected = decodeDetected(bytes, contentType, name);
    const DetectedEncoding alone = detectEncoding(bytes, contentType, name);
    FUZZ_CHECK(detected.document.encoding == alone.encoding && detected.rule == alone.rule);
    const DecodedDocument direct = decodeDocument(bytes, alone.encoding.name);
    FUZZ_CHECK(detected.document.text == direct.text);
    FUZZ_CHECK(detected.document.badByteCount == direct.badByteCount);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString name = QString::fromLatin1(Names[input.ConsumeIntegralInRange<size_t>(0, std::size(Names) - 1)]);
    const QString contentType = shortText(input, 48);
    const bool asUtf16 = input.ConsumeBool();
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    const CodePage codePage(name);
    checkDecoded(codePage, bytes);
    checkEncoded(codePage, asUtf16 ? utf16Text(rest) : codePage.decode(bytes));
    checkDocument(bytes, name, contentType);
    return 0;
}
