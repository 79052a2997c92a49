#include "DocumentWriter.h"

#include "BackupName.h"
#include "ChangeDetection.h"
#include "FileReplace.h"
#include "History.h"
#include "NumberLiteral.h"
#include "common/CodePage.h"
#include "common/DocumentFile.h"
#include "common/DocumentState.h"
#include "common/Prompter.h"
#include "common/RichTextBox.h"
#include "common/SearchCopy.h"

#include <QFile>
#include <QScopeGuard>

namespace {

const QString NotLoadedMessage = QStringLiteral("HTMLファイルを読み込んでください。");
const QString UnchangedMessage = QStringLiteral("変更されていません。");
const QString NumberedExtensionQuestion = QStringLiteral("拡張子が数字です。\r\n"
                                                         "履歴ファイルの可能性があります。\r\n"
                                                         "\r\n"
                                                         "<はい(Y)>\t\t上書きを行う。\r\n"
                                                         "<いいえ(N)>\t名前を変えて書き込みを行う。\r\n"
                                                         "<キャンセル>\t書き込みを中止する。");
const QString WrittenMessage = QStringLiteral("書き込みを行いました。");
const QString WriteFailedMessage = QStringLiteral("書き込みに失敗しました。");
const QString SaveAtCloseQuestion = QStringLiteral("内容が変更されています。\r\n\r\n変更内容を書き込みますか?");
const QString AnyFileFilter = QStringLiteral("すべてのファイル|*.*");

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

QString unencodableReason(const QString& text, qsizetype at, const QString& codePageName)
{
    const QChar first = text.at(at);
    char32_t code = first.unicode();
    if (first.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        code = QChar::surrogateToUcs4(first, text.at(at + 1));
    // A lone surrogate cannot be shown; its code says what it is.
    const QString shown = QChar::isSurrogate(code) ? QString() : QString::fromUcs4(&code, 1);
    return QStringLiteral("%1行目の文字「%2」(U+%3)は%4で表せません。")
        .arg(QString::number(lineOf(text, at)), shown,
             QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper(), codePageName);
}

} // namespace

DocumentWriter::DocumentWriter(DocumentState& state, RichTextBox& RTextB, const CodePage& codePage, Prompter& prompter,
                               History& history)
    : m_state(state), m_editor(RTextB), m_codePage(codePage), m_prompter(prompter), m_history(history)
{
}

DocumentWriter::Outcome DocumentWriter::Fnc_WriteHtmlData(bool backup)
{
    // IsBusy is raised around the history update only, and is False on every way out.
    const auto clearBusy = qScopeGuard([this] { m_state.IsBusy = false; });
    if (!m_state.DocLoaded) {
        m_prompter.message(NotLoadedMessage, Prompter::Buttons::Ok, Prompter::Answer::Ok);
        return Outcome::NothingWritten;
    }
    if (m_state.DocIsFile && !Fnc_IsTextChanged(m_editor, m_state)) {
        m_prompter.message(UnchangedMessage, Prompter::Buttons::Ok, Prompter::Answer::Ok);
        return Outcome::NothingWritten;
    }
    bool sameFile = false;
    const QString target = chooseTarget(sameFile);
    if (target.isEmpty())
        return Outcome::NothingWritten;
    const QString text = m_editor.text();
    if (!writeTarget(target, text, backup && sameFile))
        return Outcome::Failed;
    m_prompter.message(WrittenMessage, Prompter::Buttons::Ok, Prompter::Answer::Ok);

    if (!sameFile) {
        // Refilling the history list selects its first entry, which must not start a load.
        m_state.IsBusy = true;
        m_history.Fnc_SetHistoryData(target);
        m_state.DocPath = target;
    }
    // The text as written, not the editor's text of this moment: only what is on disk counts as unchanged.
    m_state.HtmlData = text;
    if (m_state.DocIsFile)
        return Outcome::Written;
    m_state.DocBase = fileDocBase(m_state.DocPath);
    m_state.DocIsFile = true;
    return Outcome::WrittenAsFile;
}

QString DocumentWriter::chooseTarget(bool& sameFile)
{
    sameFile = false;
    if (m_state.DocIsFile) {
        // Backup generations carry a number as their extension: overwriting one asks first.
        if (!isNumberLiteral(documentExtension(m_state.DocPath))) {
            sameFile = true;
            return m_state.DocPath;
        }
        switch (m_prompter.message(NumberedExtensionQuestion, Prompter::Buttons::YesNoCancel, Prompter::Answer::Yes)) {
        case Prompter::Answer::Yes:
            sameFile = true;
            return m_state.DocPath;
        case Prompter::Answer::No:
            break;
        default:
            return QString();
        }
    }
    return trimBlanks(m_prompter.openFileName(AnyFileFilter));
}

bool DocumentWriter::writeTarget(const QString& target, const QString& text, bool backup)
{
    // Nothing is replaced silently: a character the code page lacks stops the write before any file is touched.
    const CodePage::Encoded encoded = m_codePage.encode(text);
    if (!encoded.ok()) {
        reportFailure(unencodableReason(text, encoded.failedAt, m_codePage.name()));
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
    QString error = replaceFile(target, encoded.bytes);
    if (error.isEmpty())
        return true;
    // The write failed: the previous file goes back to its own name, so the document is where it was.
    if (!backupName.isEmpty() && !QFile::rename(backupName, target))
        error += QStringLiteral("\r\n元のファイルは %1 にあります。").arg(backupName);
    reportFailure(target + QStringLiteral("\r\n") + error);
    return false;
}

void DocumentWriter::reportFailure(const QString& reason)
{
    m_prompter.message(WriteFailedMessage + QStringLiteral("\r\n") + reason, Prompter::Buttons::Ok,
                       Prompter::Answer::Ok);
}

bool DocumentWriter::maybeSaveBeforeClose(bool backup)
{
    if (trimBlanks(m_editor.text()).isEmpty() || !Fnc_IsTextChanged(m_editor, m_state))
        return true;
    switch (m_prompter.message(SaveAtCloseQuestion, Prompter::Buttons::YesNoCancel, Prompter::Answer::Yes)) {
    case Prompter::Answer::Yes: {
        // Closing after a Yes that wrote nothing (a failed write, a cancelled dialog) would lose the edits.
        const Outcome outcome = Fnc_WriteHtmlData(backup);
        return outcome == Outcome::Written || outcome == Outcome::WrittenAsFile;
    }
    case Prompter::Answer::No:
        return true;
    default:
        return false;
    }
}
