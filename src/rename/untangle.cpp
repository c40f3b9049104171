#include "rename/untangle.h"

#include <cerrno>
#include <deque>
#include <unordered_map>
#include <unordered_set>

#include "platform/filesystem.h"
#include "platform/system.h"
#include "rename/conflicts.h"

namespace Rename {

namespace {

using FileList::TConflict;
using FileList::TFileItem;
using FileList::TMoveStatus;

constexpr std::size_t None = static_cast<std::size_t>(-1);

class TUntangler {
 public:
  TUntangler(const FileList::TFileItems& rows,
             const std::function<bool(const std::string&)>& isFree)
      : FRows(rows),
        FIsFree(isFree),
        FSource(rows.size()),
        FDone(rows.size(), true),
        FBlocked(rows.size(), false) {}

  std::vector<TStep> Steps() {
    std::vector<std::size_t> rest = PickMovers();
    for (std::size_t i = 0; i < FRows.size(); ++i) {
      if (!FDone[i] && Blocker(i) == None) FReady.push_back(i);
    }
    Drain(-1);
    int cycle = 0;
    for (std::size_t i = 0; i < FRows.size(); ++i) {
      if (FDone[i] || FSource[i] != FRows[i].OldName) continue;
      const std::string temporary = TemporaryName();
      Emit(FRows[i].OldName, temporary, i, cycle);
      FSource[i] = temporary;
      Free(FRows[i].OldName);
      Drain(cycle++);
    }
    for (std::size_t i : rest)
      FSteps.push_back({FRows[i].OldName, FRows[i].NewName, i, -1, WillFail(FRows[i].Conflict),
                        FMoved.count(FRows[i].OldName) > 0});
    return std::move(FSteps);
  }

 private:
  // The rows that take part, at most one per old and per new name; the others.
  std::vector<std::size_t> PickMovers() {
    std::vector<std::size_t> rest;
    std::unordered_map<std::string, std::size_t> targets;
    for (std::size_t i = 0; i < FRows.size(); ++i) {
      const TFileItem& row = FRows[i];
      const bool canMove = row.Conflict != TConflict::Empty && row.Conflict != TConflict::TooLong &&
                           row.Conflict != TConflict::Missing && row.NewName != row.OldName;
      if (!canMove || FBySource.count(row.OldName) || !targets.emplace(row.NewName, i).second) {
        rest.push_back(i);
        continue;
      }
      FBySource[row.OldName] = i;
      FMoved.insert(row.OldName);
      FSource[i] = row.OldName;
      FDone[i] = false;
    }
    for (const auto& [name, i] : targets) {
      FWaiting[name] = i;
      FBlocked[i] = !FIsFree(name) && !FBySource.count(name);
    }
    return rest;
  }
  std::size_t Blocker(std::size_t i) const {
    const auto it = FBySource.find(FRows[i].NewName);
    return it == FBySource.end() || it->second == i ? None : it->second;
  }
  void Free(const std::string& name) {
    FBySource.erase(name);
    const auto waiting = FWaiting.find(name);
    if (waiting != FWaiting.end() && !FDone[waiting->second]) FReady.push_back(waiting->second);
  }
  void Drain(int cycle) {
    while (!FReady.empty()) {
      const std::size_t i = FReady.front();
      FReady.pop_front();
      if (FDone[i]) continue;
      FDone[i] = true;
      Emit(FSource[i], FRows[i].NewName, i, cycle);
      if (FSource[i] == FRows[i].OldName) Free(FRows[i].OldName);
    }
  }
  void Emit(const std::string& from, const std::string& to, std::size_t row, int cycle) {
    FSteps.push_back({from, to, row, cycle, to == FRows[row].NewName && FBlocked[row]});
  }
  std::string TemporaryName() {
    for (;;) {
      std::string name =
          ".morvane-untangle-" + Platform::ProcessId() + "-" + std::to_string(FCount++);
      if (FIsFree(name)) return name;
    }
  }

  const FileList::TFileItems& FRows;
  const std::function<bool(const std::string&)>& FIsFree;
  std::vector<std::string> FSource;  // where each mover's file is now
  std::vector<bool> FDone;
  std::vector<bool> FBlocked;  // a mover whose target a file that stays holds
  std::unordered_map<std::string, std::size_t> FBySource;  // old name -> row still to move
  std::unordered_set<std::string> FMoved;                  // the old names of the movers
  std::unordered_map<std::string, std::size_t> FWaiting;   // new name -> row that wants it
  std::deque<std::size_t> FReady;
  std::vector<TStep> FSteps;
  std::size_t FCount = 0;
};

// Moves a failed cycle's earlier steps back, last first; a file that cannot
// go back is listed as stranded.
void RollBack(const Platform::TDirectory& dir, const std::vector<TStep>& steps, std::size_t first,
              std::size_t failed, FileList::TFileItems& rows, TStepsOutcome& outcome) {
  const int error = rows[steps[failed].Row].Error;
  for (std::size_t k = failed; k-- > first;) {
    TFileItem& row = rows[steps[k].Row];
    row.Status = TMoveStatus::Failed;
    row.Error = error;
    const int back = dir.Rename(steps[k].To, steps[k].From);
    if (back == 0) continue;
    row.Error = back;
    outcome.Stranded.push_back({steps[k].To, row.OldName, back});
  }
}

}  // namespace

std::vector<TStep> UntangleSteps(const FileList::TFileItems& rows,
                                 const std::function<bool(const std::string&)>& isFree) {
  return TUntangler(rows, isFree).Steps();
}

TJournal PlanOfSteps(const Platform::TDirectory& dir, const FileList::TFileItems& rows,
                     const std::vector<TStep>& steps) {
  TJournal journal;
  journal.Dir = dir.RealPath();
  journal.Pairs.reserve(steps.size());
  std::vector<Platform::TFileId> ids(rows.size());
  std::vector<bool> known(rows.size(), false);
  for (const TStep& step : steps) {
    const bool outOfFolder = step.To.find('/') != std::string::npos;
    if (step.Untried || step.From == step.To || !IsComponent(step.From) ||
        (!outOfFolder && !IsComponent(step.To)))
      continue;
    if (!known[step.Row]) known[step.Row] = dir.FileId(rows[step.Row].OldName, ids[step.Row]) == 0;
    journal.Pairs.push_back({.OldName = step.From,
                             .NewName = outOfFolder ? std::string() : step.To,
                             .Id = ids[step.Row],
                             .ExpectedToFail = step.ExpectedToFail || !known[step.Row],
                             .OutOfFolder = outOfFolder});
  }
  return journal;
}

TStepsOutcome RunSteps(const Platform::TDirectory& dir, const std::vector<TStep>& steps,
                       FileList::TFileItems& rows) {
  TStepsOutcome outcome;
  outcome.Ran = true;
  for (TFileItem& row : rows) row.Status = TMoveStatus::Pending;
  std::size_t cycleStart = 0;
  for (std::size_t k = 0; k < steps.size(); ++k) {
    const TStep& step = steps[k];
    if (k == 0 || step.Cycle != steps[k - 1].Cycle) cycleStart = k;
    TFileItem& row = rows[step.Row];
    if (step.Cycle >= 0 && row.Status == TMoveStatus::Failed) continue;  // cycle given up
    if (row.Conflict == TConflict::Missing) {
      row.Status = TMoveStatus::Failed;  // no new name: left alone
      row.Error = 0;
      continue;
    }
    row.Error = step.Untried ? ENOENT : dir.Rename(step.From, step.To);
    row.Status = row.Error == 0 ? TMoveStatus::Renamed : TMoveStatus::Failed;
    if (row.Error == 0 || step.Cycle < 0) continue;
    RollBack(dir, steps, cycleStart, k, rows, outcome);
    // The rest of the cycle is not tried.
    for (std::size_t j = k + 1; j < steps.size() && steps[j].Cycle == step.Cycle; ++j) {
      rows[steps[j].Row].Status = TMoveStatus::Failed;
      rows[steps[j].Row].Error = row.Error;
    }
  }
  for (const TFileItem& row : rows)
    ++(row.Status == TMoveStatus::Renamed ? outcome.Renamed : outcome.Failed);
  return outcome;
}

}  // namespace Rename
