#pragma once

#include <QByteArray>

namespace orbitdeck {

// The system's libplist crashes, hangs or aborts on some inputs: it parses nesting
// recursively and in quadratic time (thousands of levels take seconds, hundreds of thousands
// overflow the stack), and asserts on a key or string holding a NUL character. A domain file
// holds flat values, so such a file is not one of ours and is refused before parsing.
bool plistSafeToParse(const QByteArray& bytes);

} // namespace orbitdeck
