#pragma once
// Expression texts a user may type or paste to break the window: empty and blank texts, the
// longest texts the box keeps, deep nesting, characters the plot rejects, numbers beyond any
// range, every operator, unknown names and functions outside their domain.

#include <QString>
#include <random>

namespace tracewell::stress {

// One such text, chosen by rng. Long ones may exceed what the expression box keeps.
QString hostileText(std::mt19937& rng);

// Short printable ASCII: a user could type it key by key instead of pasting it.
bool typeable(const QString& text);

}  // namespace tracewell::stress
