// The book's contents entries and their pages.
#include "app/book/BookContents.h"

namespace app {

const char* const unitNames[7] = {"Unit 1", "Unit 2", "Unit 3", "Unit 4", "Recycle 1", "Recycle 2", "Appendix"};
int selectedUnit = 0;

const UnitPageRange unitPageRanges[8] = {{2, 13},  {14, 25}, {26, 37}, {38, 49},
                                          {50, 61}, {62, 81}, {82, 89}, {74, 81}};
const int wordListPages[4] = {74, 76, 78, 80};

}  // namespace app
