#include "annex/print_text_item.h"

#include <utility>

CPrintTextItem::CPrintTextItem(PrintTextDescription d)
    : number(d.number),
      name(std::move(d.name)),
      layoutA{d.layout[0], d.layout[1], d.layout[2]},
      formatMask(std::move(d.formatMask)),
      layoutB{d.layout[3], d.layout[4]},
      text(std::move(d.text)),
      rect(d.rect),
      layoutC(d.layout[5]) {}
