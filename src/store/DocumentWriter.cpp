#include "DocumentWriter.h"

#include "BackupName.h"
#include "FileReplace.h"
#include "NumberLiteral.h"
#include "common/Document.h"
#include "common/DocumentFile.h"
#include "common/Prompter.h"
#include "common/RunState.h"
#include "common/SearchCopy.h"

#include <QScopeGuard>

namespace {

// The character at a text position: a surrogate pair is one.
char32_t codePointAt(const QString& text, qsizetype at)
{
    const QChar first = text.at(at);
    if (first.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(first, text.at(at + 1));
    return first.unicode();
}

// A lone surrogate cannot be shown; its code says what it is.
QString shown(char32_t code)
{
    return QChar::isSurrogate(code) ? QString() : QString::fromUcs4(&code, 1);
}

// The line, the character and its code point of a text position, as the prompts name a character.
QStringList characterArgs(const QString& text, qsizetype at)
{
    const char32_t code = codePointAt(text, at);
    return {QString::number(lineOfPosition(text, at)), shown(code),
            QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper()};
}

Prompt unencodablePrompt(const QString& text, qsizetype at, const TextEncoding& encoding)
{
    return {PromptId::Unencodable, characterArgs(text, at) << encoding.displayName()};
}

Prompt nearestPrompt(const QString& text, const CodePage::Encoded& encoded, const TextEncoding& encoding)
{
    const CodePage codePage(encoding.name);
    const QString character = shown(codePointAt(text, encoded.changedAt));
    return {PromptId::NearestCharacters, characterArgs(text, encoded.changedAt)
                                             << QString::number(encoded.changedCount) << encoding.displayName()
                                             << codePage.decode(codePage.encode(character).bytes)};
}

} // namespace

DocumentWriter::DocumentWriter(Document& document, RunState& run, CurrentText currentText, Prompter& prompter,
                               RecordInHistory recordInHistory)
    : m_document(document), m_run(run), m_currentText(std::move(currentText)), m_prompter(prompter),
      m_recordInHistory(std::move(recordInHistory))
{
}

DocumentWriter::Outcome DocumentWriter::writeHtmlData(bool backup)
{
    // isBusy is raised around the history update only, and is false on every way out.
    const auto clearBusy = qScopeGuard([this] { m_run.isBusy = false; });
    if (!m_document.docLoaded) {
        m_prompter.ask({PromptId::NotLoaded});
        return Outcome::NothingWritten;
    }
    const QString text = m_currentText();
    if (m_document.docIsFile && text == m_document.htmlData) {
        m_prompter.ask({PromptId::Unchanged});
        return Outcome::NothingWritten;
    }
    Outcome refusal = Outcome::NothingWritten;
    const std::optional<QByteArray> bytes = encodeText(text, refusal);
    if (!bytes)
        return refusal;
    bool sameFile = false;
    const QString target = chooseTarget(sameFile);
    if (target.isEmpty())
        return Outcome::NothingWritten;
    if (sameFile) {
        if (const Outcome answer = askAboutChangeOnDisk(); answer != Outcome::Written)
            return answer;
    }
    if (!writeTarget(target, *bytes, backup && sameFile))
        return Outcome::Failed;
    return takeWritten(target, text);
}

DocumentWriter::Outcome DocumentWriter::writeHtmlDataAs(const QString& name, bool backup)
{
    const auto clearBusy = qScopeGuard([this] { m_run.isBusy = false; });
    if (!m_document.docLoaded) {
        m_prompter.ask({PromptId::NotLoaded});
        return Outcome::NothingWritten;
    }
    const QString target = name.isEmpty() ? trimBlanks(m_prompter.chooseFile(FileDialogKind::WriteDocument)) : name;
    if (target.isEmpty())
        return Outcome::NothingWritten;
    const QString text = m_currentText();
    Outcome refusal = Outcome::NothingWritten;
    const std::optional<QByteArray> bytes = encodeText(text, refusal);
    if (!bytes)
        return refusal;
    if (m_document.docIsFile && target == m_document.docPath) {
        if (const Outcome answer = askAboutChangeOnDisk(); answer != Outcome::Written)
            return answer;
    }
    if (!writeTarget(target, *bytes, backup))
        return Outcome::Failed;
    return takeWritten(target, text);
}

DocumentWriter::Outcome DocumentWriter::takeWritten(const QString& target, const QString& text)
{
    m_prompter.ask({PromptId::Written, {target}});
    const bool renamed = !m_document.docIsFile || target != m_document.docPath;
    if (renamed) {
        // Refilling the history list selects its first entry, which must not start a load.
        m_run.isBusy = true;
        if (m_recordInHistory)
            m_recordInHistory(target);
        m_document.docPath = target;
        m_document.docBase = fileDocBase(target);
        m_document.docIsFile = true;
    }
    // The text as written, not the editor's text of this moment: only what is on disk counts as unchanged.
    m_document.htmlData = text;
    m_document.diskStamp = fileStampOf(target);
    m_document.readLoss = {};
    return renamed ? Outcome::WrittenAsFile : Outcome::Written;
}

std::optional<QByteArray> DocumentWriter::encodeText(const QString& text, Outcome& refusal)
{
    const TextEncoding& encoding = m_document.encoding;
    CodePage::Encoded encoded = encodeDocument(text, encoding);
    if (!encoded.ok()) {
        m_prompter.ask(unencodablePrompt(text, encoded.failedAt, encoding));
        refusal = Outcome::Failed;
        return std::nullopt;
    }
    // The U+FFFD that stood for undecodable bytes may be gone by now; the part after a NUL never comes back.
    ReadLoss loss = m_document.readLoss;
    if (!text.contains(QChar::ReplacementCharacter))
        loss.undecodableBytes = 0;
    refusal = Outcome::NothingWritten;
    if (loss.any() &&
        m_prompter.ask(readLossPrompt(PromptId::WriteUnreadBytes, encoding, loss)) != Prompter::Answer::Yes)
        return std::nullopt;
    if (!encoded.exact() && m_prompter.ask(nearestPrompt(text, encoded, encoding)) != Prompter::Answer::Yes)
        return std::nullopt;
    return std::move(encoded.bytes);
}

QString DocumentWriter::chooseTarget(bool& sameFile)
{
    sameFile = false;
    if (m_document.docIsFile) {
        // Backup generations carry a number as their extension: overwriting one asks first.
        if (!isNumberLiteral(documentExtension(m_document.docPath))) {
            sameFile = true;
            return m_document.docPath;
        }
        switch (m_prompter.ask({PromptId::NumberedExtension})) {
        case Prompter::Answer::Yes:
            sameFile = true;
            return m_document.docPath;
        case Prompter::Answer::No:
            break;
        default:
            return QString();
        }
    }
    return trimBlanks(m_prompter.chooseFile(FileDialogKind::WriteDocument));
}

DocumentWriter::Outcome DocumentWriter::askAboutChangeOnDisk()
{
    // A file that is gone is no one's change to lose: writing it again is what the user asked for.
    const std::optional<FileStamp> now = fileStampOf(m_document.docPath);
    if (!now || !m_document.diskStamp || *now == *m_document.diskStamp)
        return Outcome::Written;
    switch (m_prompter.ask({PromptId::ChangedOnDisk, {m_document.docPath}})) {
    case Prompter::Answer::Yes:
        return Outcome::Written;
    case Prompter::Answer::No:
        return Outcome::ReloadWanted;
    default:
        return Outcome::NothingWritten;
    }
}

bool DocumentWriter::writeTarget(const QString& target, const QByteArray& bytes, bool backup)
{
    const WriteResult result = writeDocumentFile(target, bytes, backup);
    if (result.ok())
        return true;
    m_prompter.ask({PromptId::WriteFailed, {target, result.systemError}, result.failure});
    return false;
}

bool DocumentWriter::maybeSaveBeforeClose(bool backup)
{
    const QString text = m_currentText();
    if (trimBlanks(text).isEmpty() || text == m_document.htmlData)
        return true;
    switch (m_prompter.ask({PromptId::SaveBeforeClose})) {
    case Prompter::Answer::Yes: {
        // Closing after a Yes that wrote nothing (a failed write, a cancelled dialog) would lose the edits.
        const Outcome outcome = writeHtmlData(backup);
        return outcome == Outcome::Written || outcome == Outcome::WrittenAsFile;
    }
    case Prompter::Answer::No:
        return true;
    default:
        return false;
    }
}
