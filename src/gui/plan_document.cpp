#include "gui/plan_document.h"

#include <memory>

#include "printouts/planner_pages.h"

namespace gui {

namespace {

class PlanDocument : public PrintedDocument {
  public:
    PlanDocument(const app::PlannerForm& planner, print::TPvPageList& pages)
        : planner_(planner), pages_(pages) {}
    void Build() override { pages_.Build(planner_); }
    // A plan is read from its loan and its first rows on, whatever page was shown last.
    bool OpensOnFirstPage() const override { return true; }

  private:
    const app::PlannerForm& planner_;
    PlannerPages pages_;
};

}  // namespace

PrintedDocumentMaker PlanDocumentMaker(const app::PlannerForm& planner) {
    return [&planner](print::TPvPageList& pages) {
        return std::make_unique<PlanDocument>(planner, pages);
    };
}

}  // namespace gui
