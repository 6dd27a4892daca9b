#pragma once
// The files of an edit scenario opened as real documents through the
// framework, each shown in two views that count their update requests.

#include "document/CVarnoDoc.h"
#include "platform/CMultiDocTemplate.h"
#include "platform/CView.h"
#include "platform/CWinApp.h"
#include "tests/EditScenario.h"
#include "tests/TempDir.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// A view without a window that counts the document's requests to update.
class CCountingView : public CView {
public:
    void OnDraw(CDC*) override {}
    int m_nUpdates = 0;

protected:
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        ++m_nUpdates;
        CView::OnUpdate(pSender, lHint, pHint);
    }
};

class OpenScenario {
public:
    static constexpr int kViewsPerDocument = 2;

    explicit OpenScenario(const edit_scenario::Scenario& scenario)
    {
        m_template = new CMultiDocTemplate(129, RUNTIME_CLASS(CVarnoDoc), nullptr, nullptr);
        m_app.AddDocTemplate(m_template);
        for (const edit_scenario::ScenarioFile& file : scenario.files) {
            std::string path = m_dir.File(file.name);
            EXPECT_TRUE(samples::WriteFile(path, file.before)) << path;
            auto* doc = static_cast<CVarnoDoc*>(m_app.OpenDocumentFile(path.c_str()));
            EXPECT_NE(doc, nullptr) << path;
            m_paths.push_back(path);
            m_docs.push_back(doc);
            for (int i = 0; doc != nullptr && i < kViewsPerDocument; ++i) {
                m_views.push_back(std::make_unique<CCountingView>());
                doc->AddView(m_views.back().get());
            }
        }
    }
    ~OpenScenario()
    {
        // The views go first: the last view of a document closes it.
        m_views.clear();
    }

    bool AllOpened() const { return std::find(m_docs.begin(), m_docs.end(), nullptr) == m_docs.end(); }
    CWinApp& App() { return m_app; }
    CVarnoDoc* Doc(std::size_t i) const { return m_docs[i]; }
    const std::vector<CVarnoDoc*>& Docs() const { return m_docs; }
    const std::string& Path(std::size_t i) const { return m_paths[i]; }

    // Exactly the scenario's changed documents are marked modified and had
    // each of their views asked to update once; saving every document then
    // writes the scenario's bytes into each file.
    void ExpectOutcome(const edit_scenario::Scenario& scenario)
    {
        for (std::size_t i = 0; i < m_docs.size(); ++i) {
            SCOPED_TRACE(scenario.files[i].name);
            const bool changed = scenario.files[i].changed;
            EXPECT_EQ(m_docs[i]->IsModified() != FALSE, changed);
            for (int v = 0; v < kViewsPerDocument; ++v) {
                EXPECT_EQ(m_views[i * kViewsPerDocument + v]->m_nUpdates, changed ? 1 : 0);
            }
            ASSERT_TRUE(m_docs[i]->DoSave(m_paths[i].c_str()));
            samples::Bytes saved;
            ASSERT_TRUE(samples::ReadFile(m_paths[i], saved));
            EXPECT_EQ(DifferingOffsets(saved, scenario.files[i].after), std::vector<std::size_t>{})
                << "offsets that differ from the expected file";
        }
    }

private:
    TempDir m_dir;
    CWinApp m_app{"varno"};
    CMultiDocTemplate* m_template;
    std::vector<std::string> m_paths;
    std::vector<CVarnoDoc*> m_docs;
    std::vector<std::unique_ptr<CCountingView>> m_views;
};
