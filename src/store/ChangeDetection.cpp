#include "ChangeDetection.h"

#include "common/Document.h"
#include "common/RichTextBox.h"

bool isTextChanged(const RichTextBox& editor, const Document& document)
{
    return editor.text() != document.htmlData;
}
