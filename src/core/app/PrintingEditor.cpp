#include "app/PrintingEditor.h"

#include <algorithm>

#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/Error.h"
#include "util/InputRange.h"

namespace kalorina {

PrintingEditor::PrintingEditor(const TProject& project, PrintingOptions& options, SettingsStore& store)
    : kept_(options), store_(store)
{
    kept_.Load(store_);
    working_ = kept_;
    nodes_ = ReportTree(project);
}

PrintingEditor::View PrintingEditor::GetView() const
{
    View v;
    v.nodes = nodes_;
    v.all = all_;
    v.title = working_.title;
    v.projectData = working_.Has(PrintingOptions::kProjectData);
    v.fileName = working_.Has(PrintingOptions::kFileName);
    v.pageNumbers = working_.Has(PrintingOptions::kPageNumbers);
    v.date = working_.Has(PrintingOptions::kDate);
    v.kind = working_.kind;
    return v;
}

int PrintingEditor::GroupOf(int node) const
{
    for (int i = node; i >= 0; --i)
        if (!nodes_[i].hasParent)
            return i;
    return -1;
}

void PrintingEditor::UpdateGroupState(int group)
{
    int checked = 0, count = 0;
    for (std::size_t i = group + 1; i < nodes_.size() && nodes_[i].hasParent; ++i, ++count)
        if (nodes_[i].state == 1)
            ++checked;
    nodes_[group].state = checked == 0 ? 3 : checked == count ? 1 : 2;
}

void PrintingEditor::DoubleClick(int node, bool shift)
{
    if (node < 0 || node >= static_cast<int>(nodes_.size()))
        return;
    TReportTreeNode& n = nodes_[node];
    if (n.hasParent) {
        n.state = n.state == 3 ? 1 : 3;
        all_ = false;
        if (int group = GroupOf(node); group >= 0)
            UpdateGroupState(group);
        return;
    }
    if (!shift)
        return;
    const int state = n.state == 1 ? 3 : 1;
    n.state = state;
    for (std::size_t i = node + 1; i < nodes_.size() && nodes_[i].hasParent; ++i)
        nodes_[i].state = state;
    all_ = false;
}

void PrintingEditor::SetTitle(const std::string& title)
{
    working_.SetTitle(title);
}

void PrintingEditor::SetSwitch(PrintingOptions::Switch s, bool on)
{
    working_.Set(s, on);
}

void PrintingEditor::Commit()
{
    kept_.title = working_.title;
    kept_.switches = working_.switches;
    kept_.kind = working_.kind;
    kept_.Save(store_);
}

ReportColumns PrintingEditor::LayoutOfButton(int button)
{
    return ReportColumnsOf(static_cast<ReportKind>(button - 1));
}

PreviewNavigator::PreviewNavigator(int pageCount, int pageWidth, int pageHeight, PrintingOptions& options)
    : pageCount_(pageCount), pageWidth_(pageWidth), pageHeight_(pageHeight), options_(options)
{
    if (options_.zoomIndex < 0 || options_.zoomIndex > 6)
        options_.zoomIndex = 3;
}

PreviewNavigator::View PreviewNavigator::GetView() const
{
    View v;
    v.pageLabel = "  " + std::to_string(pageCount_ == 0 ? 0 : current_ + 1) + "/" + std::to_string(pageCount_);
    v.first = v.previous = current_ > 0;
    v.next = v.last = current_ < pageCount_ - 1;
    const int zoom = PrintingOptions::kZoomSteps[options_.zoomIndex];
    v.imageWidth = pageWidth_ * zoom / 100;
    v.imageHeight = pageHeight_ * zoom / 100;
    for (int z : PrintingOptions::kZoomSteps)
        v.zoomTexts.push_back(std::to_string(z) + "%");
    v.zoomIndex = options_.zoomIndex;
    return v;
}

bool PreviewNavigator::GoTo(int page)
{
    if (page < 0 || page >= pageCount_ || page == current_)
        return false;
    current_ = page;
    return true;
}

void PreviewNavigator::SetZoom(int index)
{
    if (index >= 0 && index <= 6)
        options_.zoomIndex = index;
}

void GotoPageEditor::Commit(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::size_t end = text.find_last_not_of(' ');
    std::string digits = i <= end && end != std::string::npos ? text.substr(i, end - i + 1) : std::string();
    const int n = digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos
        ? 0
        : std::stoi(digits);
    if (n < 1 || n > maximum_)
        throw KalorinaError(RangeMessage(InputRange{1, static_cast<double>(std::max(maximum_, 1)), false, true, ""},
                                         TextOrBuiltIn("IDS_PAGENUMBERFIELD")));
    value_ = n;
}

} // namespace kalorina
