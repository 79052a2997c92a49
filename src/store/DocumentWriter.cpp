#include "DocumentWriter.h"

#include "BackupName.h"
#include "ChangeDetection.h"
#include "FileReplace.h"
#include "NumberLiteral.h"
#include "common/CodePage.h"
#include "common/Document.h"
#include "common/DocumentFile.h"
#include "common/Prompter.h"
#include "common/RichTextBox.h"
#include "common/RunState.h"
#include "common/SearchCopy.h"

#include <QFile>
#include <QScopeGuard>

namespace {

// The 1-based line of a text position; CR LF, a lone CR and a lone LF each end a line.
qsizetype lineOf(const QString& text, qsizetype position)
{
    qsizetype line = 1;
    for (qsizetype i = 0; i < position; ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || (c == u'\r' && (i + 1 >= text.size() || text.at(i + 1) != u'\n')))
            ++line;
    }
    return line;
}

// Names the first character the code page cannot express: its line, the character, its code point.
Prompt unencodablePrompt(const QString& text, qsizetype at, const QString& codePageName)
{
    const QChar first = text.at(at);
    char32_t code = first.unicode();
    if (first.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        code = QChar::surrogateToUcs4(first, text.at(at + 1));
    // A lone surrogate cannot be shown; its code says what it is.
    const QString shown = QChar::isSurrogate(code) ? QString() : QString::fromUcs4(&code, 1);
    return {PromptId::Unencodable,
            {QString::number(lineOf(text, at)), shown,
             QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper(), codePageName}};
}

} // namespace

DocumentWriter::DocumentWriter(Document& document, RunState& run, RichTextBox& editor, const CodePage& codePage,
                               Prompter& prompter, RecordInHistory recordInHistory)
    : m_document(document), m_run(run), m_editor(editor), m_codePage(codePage), m_prompter(prompter),
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
    if (m_document.docIsFile && !isTextChanged(m_editor, m_document)) {
        m_prompter.ask({PromptId::Unchanged});
        return Outcome::NothingWritten;
    }
    bool sameFile = false;
    const QString target = chooseTarget(sameFile);
    if (target.isEmpty())
        return Outcome::NothingWritten;
    const QString text = m_editor.text();
    if (!writeTarget(target, text, backup && sameFile))
        return Outcome::Failed;
    m_prompter.ask({PromptId::Written});

    if (!sameFile) {
        // Refilling the history list selects its first entry, which must not start a load.
        m_run.isBusy = true;
        if (m_recordInHistory)
            m_recordInHistory(target);
        m_document.docPath = target;
    }
    // The text as written, not the editor's text of this moment: only what is on disk counts as unchanged.
    m_document.htmlData = text;
    if (m_document.docIsFile)
        return Outcome::Written;
    m_document.docBase = fileDocBase(m_document.docPath);
    m_document.docIsFile = true;
    return Outcome::WrittenAsFile;
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

bool DocumentWriter::writeTarget(const QString& target, const QString& text, bool backup)
{
    // Nothing is replaced silently: a character the code page lacks stops the write before any file is touched.
    const CodePage::Encoded encoded = m_codePage.encode(text);
    if (!encoded.ok()) {
        m_prompter.ask(unencodablePrompt(text, encoded.failedAt, m_codePage.name()));
        return false;
    }
    // The previous file becomes the first free backup generation. A rename that fails is no failure:
    // the file is then replaced where it is.
    QString backupName;
    if (backup) {
        backupName = firstFreeBackupName(target);
        if (!QFile::rename(target, backupName))
            backupName.clear();
    }
    const QString error = replaceFile(target, encoded.bytes);
    if (error.isEmpty())
        return true;
    // The write failed: the previous file goes back to its own name, so the document is where it was.
    if (!backupName.isEmpty())
        QFile::rename(backupName, target);
    m_prompter.ask({PromptId::WriteFailed, {target, error}, WriteProblem::System});
    return false;
}

bool DocumentWriter::maybeSaveBeforeClose(bool backup)
{
    if (trimBlanks(m_editor.text()).isEmpty() || !isTextChanged(m_editor, m_document))
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
