#pragma once
// Keeping a list's rows in step with an editor's row texts.
#include <string>
#include <vector>

namespace kalorina::gui {

class TListViewWithHeader;

// Shows `rows` (cell texts, code page 1250) in `list`.  When `rebuild` is asked for,
// or the number of rows changed, the list is filled anew (its header scrolled back
// to the left only on a rebuild); otherwise the texts are written over the rows
// already there, so that the selection and the scroll position stay.
void ShowListRows(TListViewWithHeader* list, const std::vector<std::vector<std::string>>& rows, bool rebuild);

} // namespace kalorina::gui
