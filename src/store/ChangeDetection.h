#pragma once

class RichTextBox;
struct Document;

// True when the editor's text differs from htmlData, the document as last read or written: an exact
// comparison, character by character. No change flag or undo history is consulted, so typing a
// character and deleting it again leaves the document unchanged.
bool isTextChanged(const RichTextBox& editor, const Document& document);
