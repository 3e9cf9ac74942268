// Checks that hold for every definition and binding of the program.
#include "content/Content.h"
#include "runtime/Picture.h"
#include "runtime/Text.h"
#include "screens/ScreenIds.h"
#include "screens/Screens.h"

#include <QtTest>

using namespace yelvanis;

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void screenIdsAreKnown();
    void bindingsReferToWhatExists();
    void textsAreInCodePage1254();
    void picturesExistAndMatchTheirBoxes();
    void controlNamesAreUniqueAndContainersAreFrames();
};

void TestCatalogue::screenIdsAreKnown()
{
    for (const auto& s : screens::all().screens())
        QVERIFY2(testing::allScreenIds().count(s.id), s.id.c_str());
}

void TestCatalogue::bindingsReferToWhatExists()
{
    const Catalogue& c = screens::all();
    for (const Binding& b : c.bindings()) {
        const std::string where = b.screen + "/" + b.control;
        QVERIFY2(c.has(b.screen), where.c_str());
        const ScreenDef& s = c.screen(b.screen);
        if (!b.control.empty()) {
            bool found = s.control(b.control) != nullptr;
            for (const auto& m : s.menu) {
                found = found || (m.name == b.control && m.items.empty());
                for (const auto& i : m.items)
                    found = found || i.name == b.control;
            }
            QVERIFY2(found, ("no control " + where).c_str());
            QCOMPARE(b.event, Event::Click);
        } else {
            QCOMPARE(b.event, Event::Load);
        }
        QVERIFY2(!b.steps.empty(), where.c_str());
        for (const Step& st : b.steps) {
            if (st.action == Action::GoTo || st.action == Action::Open)
                QVERIFY2(testing::allScreenIds().count(st.target), ("unknown target " + st.target).c_str());
            if (st.action == Action::StartMovie)
                QVERIFY2(s.control(st.control) && s.control(st.control)->kind == ControlKind::Movie, where.c_str());
        }
        // Unloading its own screen is always a handler's last step.
        for (size_t i = 0; i + 1 < b.steps.size(); ++i)
            QVERIFY(b.steps[i].action != Action::GoTo && b.steps[i].action != Action::Close);
    }
}

void TestCatalogue::textsAreInCodePage1254()
{
    for (const auto& s : screens::all().screens()) {
        std::vector<std::string> texts{s.caption};
        for (const auto& m : s.menu) {
            texts.push_back(m.caption);
            for (const auto& i : m.items)
                texts.push_back(i.caption);
        }
        for (const auto& c : s.controls) {
            texts.push_back(c.caption.value_or(""));
            texts.push_back(c.text);
        }
        for (const auto& t : texts) {
            std::string bad;
            QVERIFY2(encodableInCp1254(t, &bad), (s.id + ": " + bad).c_str());
            // Line breaks are CR LF only.
            for (size_t i = 0; i < t.size(); ++i)
                if (t[i] == '\n')
                    QVERIFY2(i > 0 && t[i - 1] == '\r', s.id.c_str());
        }
    }
}

void TestCatalogue::picturesExistAndMatchTheirBoxes()
{
    for (const auto& s : screens::all().screens()) {
        if (s.icon.kind == IconDef::Kind::Picture) {
            QVERIFY2(content::has(s.icon.picture.resource), s.icon.picture.resource.c_str());
            const auto info = readPictureInfo(content::get(s.icon.picture.resource));
            QVERIFY(info && info->format == PictureFormat::Ico);
        }
        for (const auto& c : s.controls) {
            if (c.kind != ControlKind::Image)
                continue;
            QVERIFY2(c.picture && content::has(c.picture->resource), (s.id + "/" + c.name).c_str());
            const auto info = readPictureInfo(content::get(c.picture->resource));
            QVERIFY2(info, c.picture->resource.c_str());
            QVERIFY(info->format == PictureFormat::Gif || info->format == PictureFormat::Jpeg);
            if (info->format == PictureFormat::Gif)
                QVERIFY2(info->singleFrame && !info->transparentColour, c.picture->resource.c_str());
            if (!c.stretch.value_or(false)) {
                QCOMPARE(c.width, info->width * 15);
                QCOMPARE(c.height, info->height * 15);
            }
        }
    }
}

void TestCatalogue::controlNamesAreUniqueAndContainersAreFrames()
{
    for (const auto& s : screens::all().screens()) {
        std::set<std::string> names;
        for (const auto& c : s.controls) {
            QVERIFY2(names.insert(c.name).second, (s.id + "/" + c.name).c_str());
            if (c.container.empty())
                continue;
            const ControlDef* f = s.control(c.container);
            QVERIFY2(f && f->kind == ControlKind::Frame && f->container.empty(), (s.id + "/" + c.name).c_str());
            QVERIFY(c.kind == ControlKind::Label || c.kind == ControlKind::Image || c.kind == ControlKind::Button
                    || c.kind == ControlKind::Movie);
        }
    }
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
