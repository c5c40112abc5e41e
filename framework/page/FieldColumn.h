#pragma once

namespace tarvelo {

class Control;

// Where the fields of a container laid out in rows begin, from its left edge,
// as its last layout placed them: the page's one field column. 0 while its
// labels stand above their fields, or when it has no layout. For the pieces
// that a page places itself inside such a container (a block).
int fieldLeftOf(const Control& container);

} // namespace tarvelo
