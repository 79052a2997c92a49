#pragma once

#include "LinkKindChoice.h"

#include <optional>

class LinkSpans;
class Prompter;
class RichTextBox;

// The moves of ▲ / ▼ (Shift+F3 / F3) to the previous or next link of a kind. A move selects the "<" of the tag it
// reaches (the value of an address a tag loads). With no further link that way the user is asked whether to go
// on from the other end of the text, and told when the text holds no link of the kind at all.
class LinkStepper {
public:
    LinkStepper(RichTextBox& editor, const LinkSpans& spans, Prompter& prompter);

    void step(const LinkKindChoice& choice, bool forward);

private:
    // The offset of the link of the kind nearest to the selection [start, start + length) in the direction.
    std::optional<int> nearest(const LinkKindChoice& choice, int start, int length, bool forward) const;
    std::optional<LinkClass> classOfSpan(int span) const;

    RichTextBox& m_editor;
    const LinkSpans& m_spans;
    Prompter& m_prompter;
};
