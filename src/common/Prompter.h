#pragma once

#include "WriteFailure.h"

#include <QString>
#include <QStringList>

#include <optional>

struct ReadLoss;
struct TextEncoding;

// What the program tells or asks the user. The engine names the prompt and gives the values it
// mentions; each front end words it: the window in Japanese, tarnwick-check in English.
enum class PromptId {
    ReadFailed,             // the document could not be read; args: why
    LoadStopped,            // the user stopped a load
    NoHtmlTag,              // a local file without an HTML start tag: load it all the same?
    DiscardEdits,           // the edited text would be replaced: go on?
    LinkNotFound,           // the text holds no link of the chosen kind
    WrapToStart,            // no further link of the chosen kind before the text's end: go on from its start?
    WrapToEnd,              // no link of the chosen kind before the selection: go on from the text's end?
    NotLoaded,              // nothing to write: no document is loaded
    Unchanged,              // nothing to write: the text is unchanged
    NumberedExtension,      // the extension is a number, maybe a backup: overwrite, rename or cancel?
    Written,                // args: the file the document was written to
    WriteFailed,            // args: the target, then the system's error text (WriteFailure::System)
    Unencodable,            // args: line, character, its code (hex), encoding name
    NearestCharacters,      // characters would be written as others: args: line, character, its code (hex) of the
                            // first; how many; encoding name; the character the first becomes. Write them so?
    UnreadBytes,            // after a load: the text does not hold every byte of the file (readLossPrompt)
    WriteUnreadBytes,       // the same before a write: the bytes would be lost; write all the same?
    SaveBeforeClose,        // the text is edited: write it before closing?
    NoSystemInfoTool,       // the About box found no system information tool
    UnknownEncodingSetting, // args: the encoding the INI file names; each document's is detected instead
    ChangedOnDisk,          // before a write: another program changed the file since; args: the path.
                            // Yes overwrites it, No reads it again instead, Cancel (the default) does neither
    ChangedOnDiskReload,    // the window came back and the file was changed meanwhile: read it again? args: path
    WriteToPathBoxName,     // args: the name in the path box, the document's path. The path box names another file:
                            // write to it (Yes), to the document (No), or not at all (Cancel)?
};

struct Prompt {
    PromptId id;
    QStringList args = {}; // the values the wording mentions, in the order the prompt's comment gives
    WriteFailure problem = WriteFailure::None; // for WriteFailed
};

// UnreadBytes or WriteUnreadBytes. args: the encoding's name; how many bytes it could not read (shown as
// U+FFFD); the line of the first of them ("0": none); the line where a NUL byte ended the text ("0": none).
Prompt readLossPrompt(PromptId id, const TextEncoding& encoding, const ReadLoss& loss);

// The file dialogs the program shows.
enum class FileDialogKind {
    OpenDocument,  // choose an HTML document to load
    WriteDocument, // choose where to write the document (an existing file or a new name)
    SaveLinkList,  // choose where to save the link list as CSV (an existing file or a new name)
    OpenFolder,    // choose a folder to open as a site
};

// Every question and report the program puts to the user goes through here: the window answers with
// message boxes and file dialogs, the headless checker and the tests answer by themselves.
class Prompter {
public:
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompter() = default;
    // Shows the prompt with the buttons of its kind (buttonsOf) and returns the answer. A front end
    // that cannot ask answers with the prompt's default (defaultAnswerOf).
    virtual Answer ask(const Prompt& prompt) = 0;
    // The chosen path, or an empty string when the dialog was cancelled. The dialog starts at the
    // name chosen last.
    virtual QString chooseFile(FileDialogKind kind) = 0;
    // The line the user asks for, from 1 to lines, offering current; nothing when the question was cancelled.
    // A front end that cannot ask answers nothing.
    virtual std::optional<int> askLineNumber(int current, int lines);

    static Buttons buttonsOf(PromptId id);
    static Answer defaultAnswerOf(PromptId id);
};
