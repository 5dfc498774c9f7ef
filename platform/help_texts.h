// The help topics in the interface languages: resources/help/topics.tsv (id, language letter,
// title, text) holds the topics written inline and every topic's title and text in the other
// languages; a topic without them shows its Castellano ones.
#pragma once

#include <QString>

namespace platform {

// The help window's caption.
inline constexpr int kHelpCaption = 99750;

// In the interface language, or in `letter` when given; empty for an unknown topic.
QString HelpTitle(int id, char letter = 0);
QString HelpHtml(int id, char letter = 0);

}  // namespace platform
