// The rows of the window and the catalogue describe the same 17 entries: a
// label that disagrees with its entry would let the user install the wrong
// pack under the right name.
#include <gtest/gtest.h>

#include "packs/catalogue.h"
#include "ui/control_table.h"

namespace {

TEST(ControlTable, RowsAgreeWithTheCatalogue) {
    ASSERT_EQ(ui::kEntryCount, packs::kEntryCount);
    // A row's label is the transparent label just before its apply button.
    for (std::size_t i = 1; i < ui::kControls.size(); ++i) {
        const ui::ControlRecord& button = ui::kControls[i];
        if (button.binding.operation != ui::Operation::kApplyEntry) continue;
        const ui::ControlRecord& label = ui::kControls[i - 1];
        ASSERT_EQ(label.kind, ui::Kind::kTransparentLabel);
        const packs::CatalogueEntry& entry = packs::catalogue_entry(button.binding.entry);
        EXPECT_EQ(label.text, entry.label) << "entry " << button.binding.entry;
        EXPECT_EQ(label.page, entry.page) << "entry " << button.binding.entry;
        EXPECT_EQ(button.page, entry.page) << "entry " << button.binding.entry;
    }
}

}  // namespace
