#include "LinkStepper.h"

#include "common/Prompter.h"
#include "editor/LinkSpans.h"
#include "editor/RichTextBox.h"
#include "links/LinkNavigator.h"

LinkStepper::LinkStepper(RichTextBox& editor, const LinkSpans& spans, Prompter& prompter)
    : m_editor(editor), m_spans(spans), m_prompter(prompter)
{
}

void LinkStepper::step(const LinkKindChoice& choice, bool forward)
{
    std::optional<int> found = nearest(choice, m_editor.selStart(), m_editor.selLength(), forward);
    if (!found) {
        // From before the text's start going forward, from after its end going back.
        const std::optional<int> around = nearest(choice, forward ? 0 : m_editor.textLength(), 0, forward);
        if (!around) {
            m_prompter.ask({PromptId::LinkNotFound});
            return;
        }
        if (m_prompter.ask({forward ? PromptId::WrapToStart : PromptId::WrapToEnd}) != Prompter::Answer::Yes)
            return;
        found = around;
    }
    m_editor.setSelection(*found, 1);
}

std::optional<LinkClass> LinkStepper::classOfSpan(int span) const
{
    const LinkEntry& link = m_spans.at(span).link;
    return link.decided ? classOf(link.result) : std::nullopt;
}

std::optional<int> LinkStepper::nearest(const LinkKindChoice& choice, int start, int length, bool forward) const
{
    // findLinkTag stops where its class lookup gives the class it is asked for: a link of the choice answers with
    // one stand-in class, any other link with none. Any link is asked for as such, so that tags typed since the
    // last check count too.
    constexpr LinkClass StandIn = LinkClass::OkWeb;
    const auto standInAt = [&](int offset) -> std::optional<LinkClass> {
        const std::optional<int> span = m_spans.spanStartingAt(offset);
        return span && choice.accepts(classOfSpan(*span)) ? std::optional(StandIn) : std::nullopt;
    };
    const bool anyLink = choice.scope == LinkKindChoice::Scope::AnyLink;
    std::optional<int> found = findLinkTag(m_editor.text(), start, length, forward,
                                           anyLink ? std::nullopt : std::optional(StandIn), standInAt);
    // The addresses tags load are links as well, each where its value begins.
    for (int span = 0; span < m_spans.count(); ++span) {
        if (!m_spans.at(span).link.isResource() || !choice.accepts(classOfSpan(span)))
            continue;
        const int offset = m_spans.offsetOf(span);
        const bool beyond = forward ? offset > start : offset < start;
        const bool nearer = !found || (forward ? offset < *found : offset > *found);
        if (beyond && nearer)
            found = offset;
    }
    return found;
}
