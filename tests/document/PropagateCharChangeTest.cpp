#include "document/PropagateCharChange.h"

#include "tables/CTableHandler.h"
#include "tests/EditScenario.h"
#include "tests/OpenScenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using edit_scenario::Scenario;

TEST(PropagateCharChange, OpenDocumentsComeInOpeningOrder)
{
    const Scenario scenario = edit_scenario::CharEditScenarios().front();
    OpenScenario open(scenario);
    ASSERT_TRUE(open.AllOpened());
    EXPECT_EQ(AllOpenDocuments(open.App()), open.Docs());
}

TEST(PropagateCharChange, EveryScenarioChangesExactlyThePredictedBytesAndDocuments)
{
    const std::vector<Scenario> scenarios = edit_scenario::CharEditScenarios();
    ASSERT_EQ(std::count_if(scenarios.begin(), scenarios.end(), [](const Scenario& s) { return s.refused >= 0; }), 2)
        << "one scenario must be refused by its 9x file, one by its GDI module";
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.description);
        OpenScenario open(scenario);
        ASSERT_TRUE(open.AllOpened());
        const std::vector<CVarnoDoc*> docs = AllOpenDocuments(open.App());
        ASSERT_EQ(docs.size(), scenario.files.size());

        // The clicked handler agrees with the file format's rules on p and o.
        CTableHandler& clicked = *open.Doc(scenario.clicked)->m_pHandler;
        const std::uint8_t p = clicked.ReverseLookup(scenario.u);
        const std::uint16_t o = clicked.Lookup(scenario.b);
        EXPECT_EQ(p, scenario.p);
        EXPECT_EQ(o, scenario.o);

        const CharChangeResult result = PropagateCharChange(docs, scenario.b, scenario.n, scenario.u, p, o);
        if (scenario.refused >= 0) {
            const auto refused = static_cast<std::size_t>(scenario.refused);
            EXPECT_FALSE(result.Applied());
            EXPECT_EQ(result.pRefused, open.Doc(refused));
            EXPECT_EQ(result.refusedName, open.Doc(refused)->GetPathName());
            const bool gdi = scenario.files[refused].kind == edit_scenario::FileKind::gdi;
            EXPECT_EQ(result.refusal, gdi ? CharChangeResult::tableLost : CharChangeResult::noRoom);
            EXPECT_NE(RefusalMessage(result).find(open.Path(refused)), std::string::npos) << RefusalMessage(result);
        } else {
            EXPECT_TRUE(result.Applied());
        }
        open.ExpectOutcome(scenario);
    }
}

// Green cells: the entries that the change wrote carry their flags, and only those.
TEST(PropagateCharChange, FlagsTheWrittenEntriesOnly)
{
    const Scenario scenario = edit_scenario::CharEditScenarios().front();
    OpenScenario open(scenario);
    ASSERT_TRUE(open.AllOpened());
    PropagateCharChange(AllOpenDocuments(open.App()), scenario.b, scenario.n, scenario.u, scenario.p, scenario.o);
    for (std::size_t i = 0; i < scenario.files.size(); ++i) {
        SCOPED_TRACE(scenario.files[i].name);
        const CTableHandler& handler = *open.Doc(i)->m_pHandler;
        std::vector<int> flagged;
        for (int entry = 0; entry < 256; ++entry) {
            if (handler.m_modified[entry] != 0) {
                flagged.push_back(entry);
            }
        }
        std::vector<int> expected{scenario.b, scenario.p};
        if (scenario.files[i].kind == edit_scenario::FileKind::keyboard) {
            // Every key that holds either byte is written once, so flagged.
            expected.clear();
            for (int key = 0; key < 14; ++key) {
                const samples::KeyboardKeyPlace place = samples::KeyboardPlace(key);
                for (std::uint8_t value : {scenario.files[i].before[place.low], scenario.files[i].before[place.high]}) {
                    if (value == scenario.b || value == scenario.p) {
                        expected.push_back(key);
                        break;
                    }
                }
            }
            EXPECT_EQ(expected.size(), 5u) << "the layout no longer covers the swap rules";
        }
        EXPECT_EQ(flagged, expected);
    }
}

TEST(PropagateCharChange, DocumentsWithoutTablesAreLeftAlone)
{
    // An undefined format, a null entry and a document that never loaded.
    Scenario scenario = edit_scenario::CharEditScenarios().front();
    scenario.files.resize(1);
    OpenScenario open(scenario);
    ASSERT_TRUE(open.AllOpened());
    CVarnoDoc unloaded;
    unloaded.m_nKind = CVarnoDoc::kindNtCodePage;
    CVarnoDoc undefined;
    undefined.m_pHandler = new CTableHandler;
    undefined.m_pHandler->AllocateData(1000);
    const CharChangeResult result = PropagateCharChange({nullptr, &unloaded, &undefined, open.Doc(0)}, scenario.b,
                                                        scenario.n, scenario.u, scenario.p, scenario.o);
    EXPECT_TRUE(result.Applied());
    EXPECT_FALSE(unloaded.IsModified());
    EXPECT_FALSE(undefined.IsModified());
    EXPECT_TRUE(open.Doc(0)->IsModified());
}

} // namespace
