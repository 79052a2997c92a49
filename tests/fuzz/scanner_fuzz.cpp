// A full check of any text, then single checks and moves between links in it: the table, the single
// check and the moves keep their properties and agree with each other, whatever the text.

#include "FuzzCheck.h"
#include "FuzzText.h"
#include "common/SearchCopy.h"
#include "links/AnchorIndex.h"
#include "links/LinkCheckJob.h"
#include "links/LinkKinds.h"
#include "links/LinkNavigator.h"
#include "links/SingleLink.h"
#include "links/TagValue.h"
#include "links/WebLinkCheck.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// A web link exists by a hash of its URL, so that both answers occur, the same for the same URL. The
// verdicts come on the next turn of the event loop, as the network's would.
class HashedWeb : public WebLinkCheck {
public:
    std::unique_ptr<WebRun> start(const QStringList& urls, WebRunCallbacks callbacks) override
    {
        auto run = std::make_unique<Run>();
        QTimer::singleShot(0, run.get(), [urls, callbacks] {
            for (int index = 0; index < urls.size(); ++index) {
                WebVerdict verdict;
                verdict.exists = qHash(urls[index]) % 2 == 0;
                callbacks.decided(index, verdict);
            }
        });
        return run;
    }

private:
    class Run : public QObject, public WebRun {};
};

// Runs a check job to its end.
void runToEnd(LinkCheckJob& job)
{
    QEventLoop loop;
    QObject::connect(&job, &LinkCheckJob::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    FUZZ_CHECK(job.isFinished());
}

bool isNeverChecked(LinkResult result)
{
    return result == LinkResult::NoCheckEmpty || result == LinkResult::NoCheckMailto ||
           result == LinkResult::NoCheckJavascript || result == LinkResult::NoCheckVbscript;
}

const LinkEntry* entryAt(const LinkTable& table, int offset)
{
    const auto found = std::find_if(table.entries.cbegin(), table.entries.cend(),
                                    [offset](const LinkEntry& entry) { return entry.start - 1 == offset; });
    return found == table.entries.cend() ? nullptr : &*found;
}

void checkTable(const LinkTable& table, const QString& text)
{
    FUZZ_CHECK(table.text == text);
    int previous = 0;
    for (const LinkEntry& entry : table.entries) {
        FUZZ_CHECK(entry.start > previous && entry.length >= 4 && entry.start - 1 + entry.length <= text.size());
        previous = entry.start;
        FUZZ_CHECK(entry.line >= 1 && entry.column >= 1);
        const QString upperTag = makeSearchCopy(table.tagText(entry).toString());
        FUZZ_CHECK(upperTag.startsWith(u"<A ") && upperTag.indexOf(u'>') == upperTag.size() - 1);
        FUZZ_CHECK(findHrefValue(upperTag).has_value());
    }
}

// The single check with the caret at `caret`: a link tag it checks is one the full check found, with
// the same result (values never checked aside: the single check looks those up).
void checkSingle(const LinkTable& table, int caret, const CheckContext& context, WebLinkCheck& web)
{
    const QString& text = table.text;
    const std::optional<LinkEntry> link = linkAtSelection(text, caret, 0);
    if (!link)
        return;
    const int tagStart = link->start - 1;
    FUZZ_CHECK(tagStart >= 0 && link->length > 0 && tagStart + link->length <= text.size());
    const QString upperTag = makeSearchCopy(text.mid(tagStart, link->length));
    FUZZ_CHECK(upperTag.startsWith(u"<A ") && upperTag.endsWith(u'>'));
    if (!findHrefValue(upperTag))
        return;
    const LinkEntry* entry = entryAt(table, tagStart);
    FUZZ_CHECK(entry != nullptr && entry->length == link->length && entry->value == link->value);
    LinkCheckJob single(text, *link, context, web);
    runToEnd(single);
    FUZZ_CHECK(isNeverChecked(entry->result) || entry->result == single.table().entries.front().result);
}

// A move to the next or previous link lands on a tag the full check found, or finds none.
void checkMoves(const LinkTable& table, int caret)
{
    const auto classAt = [&table](int offset) -> std::optional<LinkClass> {
        const LinkEntry* entry = entryAt(table, offset);
        return entry ? classOf(entry->result) : std::nullopt;
    };
    int start = caret;
    int length = 0;
    for (const bool forward : {true, true, false, true, false, false}) {
        const std::optional<int> found = findLinkTag(table.text, start, length, forward, std::nullopt, classAt);
        if (!found)
            continue;
        FUZZ_CHECK(entryAt(table, *found) != nullptr);
        start = *found;
        length = 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "scanner_fuzz";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv); // for the rest of the process
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool isFile = input.ConsumeBool();
    const bool asUtf16 = input.ConsumeBool();
    const int caretSeed = input.ConsumeIntegral<uint16_t>();
    const QString anchorName = shortText(input, 16);
    const QString text = remainingText(input, asUtf16);
    const CheckContext context{
        isFile ? QStringLiteral("/nonexistent/fuzz") : QStringLiteral("http://h/dir/"), isFile, {}};

    HashedWeb web;
    LinkCheckJob check(text, context, web);
    runToEnd(check);
    const LinkTable& table = check.table();
    checkTable(table, text);

    const int length = int(text.size());
    for (const int caret : {caretSeed % (length + 1), length / 2, length})
        checkSingle(table, caret, context, web);
    for (size_t i = 0; i < std::min<size_t>(table.entries.size(), 8); ++i)
        checkSingle(table, table.entries[i].start, context, web);
    checkMoves(table, caretSeed % (length + 1));

    const AnchorIndex anchors(text, makeSearchCopy(text));
    const FragmentMatch match = anchors.match(anchorName);
    FUZZ_CHECK(match.kind != FragmentMatch::Kind::DiffersInCase || !match.nearest.isEmpty());
    return 0;
}
