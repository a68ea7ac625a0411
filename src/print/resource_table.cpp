#include "print/resource_table.h"

namespace print {

void TPvResourceTable::Clear() {
    brushes_.Clear();
    fonts_.Clear();
    pens_.Clear();
    texts_.Clear();
}

}  // namespace print
