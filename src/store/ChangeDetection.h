#pragma once

class RichTextBox;
struct DocumentState;

// True when the editor's text differs from HtmlData, the document as last read or written: an exact
// comparison, character by character. No change flag or undo history is consulted, so typing a
// character and deleting it again leaves the document unchanged.
bool Fnc_IsTextChanged(const RichTextBox& RTextB, const DocumentState& state);
