#include "history/ProjectChange.h"

#include <algorithm>

namespace kalorina {

ProjectData ProjectData::Of(const TProject& p)
{
    return {p.buildingLines, p.customerLines, p.designerLines, p.commentLines, p.projectDate, p.nextRoomId};
}

void ProjectData::To(TProject& p) const
{
    p.buildingLines = buildingLines;
    p.customerLines = customerLines;
    p.designerLines = designerLines;
    p.commentLines = commentLines;
    p.projectDate = projectDate;
    p.nextRoomId = nextRoomId;
}

namespace {

// The changed run between the longest unchanged beginning and end of the two lists.
template <class Item>
std::optional<ListChange<Item>> Difference(const std::vector<Item>& before, const std::vector<Item>& after)
{
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    if (head == before.size() && head == after.size())
        return std::nullopt;
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    ListChange<Item> change;
    change.at = head;
    change.before.assign(before.begin() + head, before.end() - tail);
    change.after.assign(after.begin() + head, after.end() - tail);
    return change;
}

template <class Item>
void Replace(std::vector<Item>& list, std::size_t at, const std::vector<Item>& from, const std::vector<Item>& to)
{
    auto first = list.begin() + static_cast<std::ptrdiff_t>(at);
    list.erase(first, first + static_cast<std::ptrdiff_t>(from.size()));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), to.begin(), to.end());
}

// A rough count of what an item keeps: its fixed part and its texts and lists.
std::size_t Size(const TRoomItem& r)
{
    return sizeof r + r.roomName.size() + r.roomFunction.size() + r.fields.size() * sizeof(FloorHeatingField)
        + (r.heatLoad ? r.heatLoad->elements.size() * sizeof(HeatElement) : 0);
}
std::size_t Size(const TRoundItem& r)
{
    return sizeof r + r.roundName.size() + r.roundFields.size() * sizeof(FloorHeatingRoundField)
        + r.hydraulic.fittings.size() * sizeof(TResist);
}
std::size_t Size(const TManifold& m)
{
    return sizeof m + m.name.size() + m.location.size();
}
template <class Item>
std::size_t Size(const std::optional<ListChange<Item>>& change)
{
    std::size_t n = 0;
    if (change) {
        for (const Item& item : change->before)
            n += Size(item);
        for (const Item& item : change->after)
            n += Size(item);
    }
    return n;
}

} // namespace

ProjectChange::ProjectChange(StepLabel label, const TProject& before, const TProject& after) : label_(std::move(label))
{
    ProjectData from = ProjectData::Of(before), to = ProjectData::Of(after);
    if (!(from == to))
        data_.emplace(std::move(from), std::move(to));
    if (!(before.options == after.options))
        options_.emplace(before.options, after.options);
    if (!(before.heatLoad == after.heatLoad))
        heatLoad_.emplace(before.heatLoad, after.heatLoad);
    if (!(before.plan == after.plan))
        plan_.emplace(before.plan, after.plan);
    rooms_ = Difference(before.rooms, after.rooms);
    rounds_ = Difference(before.rounds, after.rounds);
    manifolds_ = Difference(before.manifolds, after.manifolds);
}

bool ProjectChange::ChangesAnything() const
{
    return data_ || options_ || heatLoad_ || plan_ || rooms_ || rounds_ || manifolds_;
}

void ProjectChange::Redo(TProject& p) const
{
    if (data_)
        data_->second.To(p);
    if (options_)
        p.options = options_->second;
    if (heatLoad_)
        p.heatLoad = heatLoad_->second;
    if (plan_)
        p.plan = plan_->second;
    if (rooms_)
        Replace(p.rooms, rooms_->at, rooms_->before, rooms_->after);
    if (rounds_)
        Replace(p.rounds, rounds_->at, rounds_->before, rounds_->after);
    if (manifolds_)
        Replace(p.manifolds, manifolds_->at, manifolds_->before, manifolds_->after);
}

void ProjectChange::Undo(TProject& p) const
{
    if (data_)
        data_->first.To(p);
    if (options_)
        p.options = options_->first;
    if (heatLoad_)
        p.heatLoad = heatLoad_->first;
    if (plan_)
        p.plan = plan_->first;
    if (rooms_)
        Replace(p.rooms, rooms_->at, rooms_->after, rooms_->before);
    if (rounds_)
        Replace(p.rounds, rounds_->at, rounds_->after, rounds_->before);
    if (manifolds_)
        Replace(p.manifolds, manifolds_->at, manifolds_->after, manifolds_->before);
}

std::size_t ProjectChange::Footprint() const
{
    std::size_t n =
        sizeof *this + label_.fixed.size() + label_.textId.size() + Size(rooms_) + Size(rounds_) + Size(manifolds_);
    if (options_)
        n += 2 * (sizeof(TProjektOptions) + options_->first.defaultFittings.size() * sizeof(TResist));
    if (data_)
        n += 2 * sizeof(ProjectData);
    if (heatLoad_)
        n += 2 * (sizeof(ProjectHeatLoad) + heatLoad_->first.constructions.size() * sizeof(Construction));
    if (plan_)
        for (const plan::Plan* p : {&plan_->first, &plan_->second}) {
            n += sizeof(plan::Plan) + p->doors.size() * sizeof(plan::Door)
                + p->underlay.size() * sizeof(plan::UnderlayLine);
            for (const plan::RoomOutline& o : p->outlines)
                n += sizeof o + o.outline.size() * sizeof(plan::Point);
        }
    return n;
}

} // namespace kalorina
