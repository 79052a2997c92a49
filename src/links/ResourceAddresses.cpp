#include "ResourceAddresses.h"

#include "common/SearchCopy.h"

#include <algorithm>

namespace {

// The tag's name, upper case: the letters and digits after its "<".
QStringView tagName(QStringView upper, qsizetype start)
{
    qsizetype end = start + 1;
    while (end < upper.size() && (upper[end].isLetterOrNumber()))
        ++end;
    return upper.sliced(start + 1, end - start - 1);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

// The candidates of a SRCSET value ("a.png 1x, b.png 2x"): each URL's [begin, end) within the value. A URL
// runs to the next blank; commas at its end belong to the list, not to it; its descriptors run to a comma.
std::vector<std::pair<qsizetype, qsizetype>> sourceSetUrls(QStringView value)
{
    std::vector<std::pair<qsizetype, qsizetype>> urls;
    qsizetype at = 0;
    while (at < value.size()) {
        while (at < value.size() && (isBlank(value[at]) || value[at] == u','))
            ++at;
        if (at >= value.size())
            break;
        qsizetype end = at;
        while (end < value.size() && !isBlank(value[end]))
            ++end;
        qsizetype urlEnd = end;
        while (urlEnd > at && value[urlEnd - 1] == u',')
            --urlEnd;
        if (urlEnd > at)
            urls.emplace_back(at, urlEnd);
        // A URL that ended in commas has no descriptors; otherwise they run to the next comma outside parentheses.
        if (urlEnd == end) {
            int depth = 0;
            while (end < value.size() && !(value[end] == u',' && depth == 0)) {
                depth += value[end] == u'(' ? 1 : value[end] == u')' ? -1 : 0;
                ++end;
            }
        }
        at = end;
    }
    return urls;
}

// The URL of a refresh's CONTENT ("5; url=next.html", "0,'next.html'"): its [begin, end) within the value;
// nothing for a refresh without one.
std::optional<std::pair<qsizetype, qsizetype>> refreshUrl(QStringView value)
{
    qsizetype at = 0;
    while (at < value.size() && value[at] != u';' && value[at] != u',')
        ++at;
    if (at >= value.size())
        return std::nullopt;
    ++at;
    while (at < value.size() && isBlank(value[at]))
        ++at;
    if (value.sliced(at).startsWith(u"url", Qt::CaseInsensitive)) {
        qsizetype equals = at + 3;
        while (equals < value.size() && isBlank(value[equals]))
            ++equals;
        if (equals < value.size() && value[equals] == u'=') {
            at = equals + 1;
            while (at < value.size() && isBlank(value[at]))
                ++at;
        }
    }
    qsizetype end = value.size();
    if (at < value.size() && (value[at] == u'"' || value[at] == u'\'')) {
        const qsizetype close = value.indexOf(value[at], at + 1);
        ++at;
        end = close < 0 ? value.size() : close;
    }
    while (end > at && isBlank(value[end - 1]))
        --end;
    if (end <= at)
        return std::nullopt;
    return std::pair(at, end);
}

} // namespace

ResourceAddresses::ResourceAddresses(QStringView text, QStringView upper)
    : m_text(text), m_upper(upper), m_src(upper, u" SRC"), m_srcset(upper, u" SRCSET"), m_href(upper, u" HREF"),
      m_poster(upper, u" POSTER"), m_data(upper, u" DATA"), m_content(upper, u" CONTENT"), m_type(upper, u" TYPE"),
      m_httpEquiv(upper, u" HTTP-EQUIV")
{
}

std::vector<ResourceAddress> ResourceAddresses::of(qsizetype start, qsizetype close)
{
    const QString element = tagName(m_upper, start).toString();
    std::vector<ResourceAddress> addresses;
    // A whole value as one address.
    const auto single = [&](AttributeValues& values, QStringView attribute) {
        if (const auto span = values.find(start, close))
            addresses.push_back({element, attribute.toString(), span->begin, span->end,
                                 span->closed ? secondPassValue(m_text, *span) : QString()});
    };
    // Each URL of a value, with a part of it picked out.
    const auto parts = [&](AttributeValues& values, QStringView attribute, const auto& urlsOf) {
        const auto span = values.find(start, close);
        if (!span || !span->closed)
            return;
        const QStringView value = m_text.sliced(span->begin, span->end - span->begin);
        for (const auto& [begin, end] : urlsOf(value))
            addresses.push_back({element, attribute.toString(), span->begin + begin, span->begin + end,
                                 value.sliced(begin, end - begin).toString()});
    };
    const auto valueOf = [&](AttributeValues& values) {
        const auto span = values.find(start, close);
        return span ? m_upper.sliced(span->begin, span->end - span->begin).trimmed().toString() : QString();
    };

    if (element == u"IMG" || element == u"SOURCE") {
        single(m_src, u"SRC");
        parts(m_srcset, u"SRCSET", sourceSetUrls);
    } else if (element == u"SCRIPT" || element == u"IFRAME" || element == u"FRAME" || element == u"AUDIO" ||
               element == u"TRACK" || element == u"EMBED") {
        single(m_src, u"SRC");
    } else if (element == u"VIDEO") {
        single(m_src, u"SRC");
        single(m_poster, u"POSTER");
    } else if (element == u"LINK" || element == u"AREA") {
        single(m_href, u"HREF");
    } else if (element == u"OBJECT") {
        single(m_data, u"DATA");
    } else if (element == u"INPUT") {
        if (valueOf(m_type) == u"IMAGE")
            single(m_src, u"SRC");
    } else if (element == u"META") {
        if (valueOf(m_httpEquiv) == u"REFRESH")
            parts(m_content, u"CONTENT", [](QStringView value) {
                std::vector<std::pair<qsizetype, qsizetype>> urls;
                if (const auto url = refreshUrl(value))
                    urls.push_back(*url);
                return urls;
            });
    }
    std::stable_sort(addresses.begin(), addresses.end(),
                     [](const ResourceAddress& a, const ResourceAddress& b) { return a.begin < b.begin; });
    return addresses;
}
