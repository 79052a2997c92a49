#include "ChangeDetection.h"

#include "common/DocumentState.h"
#include "common/RichTextBox.h"

bool Fnc_IsTextChanged(const RichTextBox& RTextB, const DocumentState& state)
{
    return RTextB.text() != state.HtmlData;
}
