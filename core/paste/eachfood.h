#pragma once

#include <QStringList>
#include <QStringView>

namespace zestora::paste {

// One amount written for each of several foods, as a line for each food with that amount and the
// line's describing words: "1 cup each onion, carrots and celery, chopped" is "1 cup onion,
// chopped", "1 cup carrots, chopped" and "1 cup celery, chopped"; "salt and pepper, 1/4 tsp each"
// is "1/4 tsp salt" and "1/4 tsp pepper". Two foods each with its own amount are a line for each:
// "1/2 tsp salt and 1/4 tsp pepper". Any other line is itself alone.
QStringList linesOfEachFood(QStringView written);

} // namespace zestora::paste
