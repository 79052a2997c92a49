#pragma once

#include <QString>

#include <QByteArray>

#include <functional>
#include <optional>

class Prompter;
struct Document;
struct RunState;

// Writes the editor's text back to a local file: the write button, write as, and the save question at closing.
// The only writer of document files. The target is the document's own file, or a name chosen in the
// file dialog (a web document, or a numbered extension the user does not want to overwrite), or a name the
// user gave (write as). Writing over a file can first keep the previous file as a backup generation (BackupName.h).
// The text is written in the document's encoding, with its byte-order mark if it had one. Nothing is
// changed silently: a character the encoding lacks refuses the write; characters it would write as others
// and bytes of the file the text does not hold are asked about first. The file is replaced atomically
// (writeDocumentFile, FileReplace.h); a failure is reported and the document still counts as changed.
class DocumentWriter {
public:
    enum class Outcome {
        Written,        // htmlData now equals the written text
        WrittenAsFile,  // also: the document is now a file of another name (a web document written as a file, or a
                        // name chosen or given), and the path box should show DocPath
        NothingWritten, // refused, cancelled or declined before anything was touched (the user was told, if at all)
        ReloadWanted,   // another program changed the file, and the user would rather load it again
        Failed,         // the write failed or the text cannot be encoded; the user was told; nothing changed
    };

    // Records a path as the newest entry of the history of opened files.
    using RecordInHistory = std::function<void(const QString& path)>;
    // The text to write: the editor's, as it stands now.
    using CurrentText = std::function<QString()>;

    DocumentWriter(Document& document, RunState& run, CurrentText currentText, Prompter& prompter,
                   RecordInHistory recordInHistory);

    // backup: keep the previous file as a backup generation (the window's backup check box is ticked).
    Outcome writeHtmlData(bool backup);
    // Writes the text under another name, changed or not, which then becomes the document: the name given, or when
    // it is empty one chosen in the write dialog. A file of that name is kept as a backup generation when backup.
    Outcome writeHtmlDataAs(const QString& name, bool backup);

    // The save question at closing, asked when the editor holds more than spaces and differs from the
    // document: Yes writes, No discards, Cancel keeps the window. Returns whether the window may close;
    // a Yes whose write failed keeps it open, so that no edit is lost.
    bool maybeSaveBeforeClose(bool backup);

private:
    // The bytes of text, once the user allowed what they change; nothing when refused or declined.
    std::optional<QByteArray> encodeText(const QString& text, Outcome& refusal);
    QString chooseTarget(bool& sameFile);
    bool writeTarget(const QString& target, const QByteArray& bytes, bool backup);
    // Before overwriting the document's own file: another program's change is kept unless the user says so.
    Outcome askAboutChangeOnDisk();
    // The document after its text was written to target.
    Outcome takeWritten(const QString& target, const QString& text);

    Document& m_document;
    RunState& m_run;
    CurrentText m_currentText;
    Prompter& m_prompter;
    RecordInHistory m_recordInHistory;
};
