// The template of the 36 ruler screens: portrait, name label, fact card with
// tughra, and one or two reading text boxes under red headings.
#include "screens/rulers/RulerDefinitions.h"

#include "content/Content.h"
#include "runtime/Units.h"

#include <stdexcept>

namespace yelvanis::screens::rulers {

namespace {

const Font kHeadingFont{.face = "MS Sans Serif", .size = pt(12), .weight = 700};
const Font kReadingFont{.face = "Tahoma", .size = pt(11.25), .weight = 700};
constexpr std::uint32_t kRed = 0xFF0000;

// The text boxes come first in the tab order, so the focus starts in the
// upper one; labels and the frame never take it.
enum TabIndex { kUpperBody, kLowerBody, kUpperHeading, kLowerHeading, kFrame, kCard, kNameLabel, kCloseLabel };

ControlDef headingLabel(const char* name, const Box& b, const char* caption, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::Label,
        .name = name,
        .left = b.left, .top = b.top, .width = b.width, .height = b.height,
        .caption = caption,
        .foreColour = Colour::rgb(kRed),
        .font = kHeadingFont,
        .transparent = true,
        .tabIndex = tabIndex,
    };
}

ControlDef readingBox(const char* name, const Box& b, std::string body, Colour back, bool tabStop, int tabIndex)
{
    return ControlDef{
        .kind = ControlKind::TextBox,
        .name = name,
        .left = b.left, .top = b.top, .width = b.width, .height = b.height,
        .text = std::move(body),
        .backColour = back,
        .foreColour = Colour::rgb(0x404040),
        .font = kReadingFont,
        .tabIndex = tabIndex,
        .tabStop = tabStop,
    };
}

Facts factsOf(const RulerRecord& r)
{
    if (!r.factsFile)
        return r.facts;
    return merged(r.facts, parseFacts(content::get(r.factsFile)));
}

} // namespace

std::string nameCaption(const Member& member)
{
    std::string caption;
    for (const char* line : member.nameLines) {
        if (!caption.empty())
            caption += "\r\n";
        caption += line;
    }
    return caption;
}

ScreenDef rulerScreen(const RulerRecord& r)
{
    const Member& m = r.member;
    const Geometry& g = r.geometry;
    const Tile& t = tile(m.tile);
    const Colour back = Colour::rgb(m.back);
    const bool twoBoxes = m.variant == Variant::TwoBoxes;
    if (twoBoxes != (g.lowerHeading && g.lowerBody))
        throw std::logic_error(std::string(m.id) + ": the lower box does not match the variant");
    if (m.tughra.has_value() != g.tughra.has_value())
        throw std::logic_error(std::string(m.id) + ": the tughra has no place, or a place and no picture");

    std::vector<ControlDef> controls{
        ControlDef{
            .kind = ControlKind::Image,
            .name = "Image1",
            .left = g.portrait.left, .top = g.portrait.top,
            .width = t.portrait.width * kTwipsPerPixel, .height = t.portrait.height * kTwipsPerPixel,
            .picture = PictureRef{portraitPicture(t)},
        },
        // Named `osman` on every ruler screen.
        ControlDef{
            .kind = ControlKind::Label,
            .name = "osman",
            .left = g.nameLabel.left, .top = g.nameLabel.top, .width = g.nameLabel.width, .height = g.nameLabel.height,
            .caption = nameCaption(m),
            .foreColour = Colour::rgb(kRed),
            .font = Font{.face = "Script", .size = pt(27.75), .weight = 700, .charset = kOem},
            .transparent = true,
            .tabIndex = kNameLabel,
        },
        ControlDef{
            .kind = ControlKind::Label,
            .name = "Label43",
            .left = g.closeLabel.left, .top = g.closeLabel.top,
            .width = g.closeLabel.width, .height = g.closeLabel.height,
            .caption = "X",
            .font = Font{.face = "MS Sans Serif", .size = pt(9.75), .weight = 700, .underline = true},
            .transparent = true,
            .tabIndex = kCloseLabel,
        },
        ControlDef{
            .kind = ControlKind::Frame,
            .name = "Frame1",
            .left = g.frame.left, .top = g.frame.top, .width = g.frame.width, .height = g.frame.height,
            .caption = "KISA KISA....",
            .backColour = back,
            .foreColour = Colour::rgb(kRed),
            .font = Font{.face = "MS Sans Serif", .size = pt(9.75), .weight = 700},
            .tabIndex = kFrame,
        },
        ControlDef{
            .kind = ControlKind::Label,
            .name = "Label1",
            .container = "Frame1",
            .left = g.card.left, .top = g.card.top, .width = g.card.width, .height = g.card.height,
            .caption = factCardText(factsOf(r)),
            .foreColour = Colour::rgb(0x0000FF),
            .font = Font{.face = "MS Sans Serif", .size = pt(13.5)},
            .transparent = true,
            .tabIndex = kCard,
        },
    };
    if (m.tughra)
        controls.push_back(ControlDef{
            .kind = ControlKind::Image,
            .name = "Image2",
            .container = "Frame1",
            .left = g.tughra->left, .top = g.tughra->top,
            .width = m.tughra->width * kTwipsPerPixel, .height = m.tughra->height * kTwipsPerPixel,
            .picture = PictureRef{tughraPicture(t)},
        });
    controls.push_back(headingLabel("Label2", g.upperHeading, r.headings.upper, kUpperHeading));
    controls.push_back(readingBox("Output", g.upperBody, std::string(content::get(upperBodyText(t))), back,
                                  r.textBoxTabStops, kUpperBody));
    if (twoBoxes) {
        controls.push_back(headingLabel("Label3", *g.lowerHeading, r.headings.lower, kLowerHeading));
        controls.push_back(readingBox("Text1", *g.lowerBody, std::string(content::get(lowerBodyText(t))), back,
                                      r.textBoxTabStops, kLowerBody));
    }

    return ScreenDef{
        .id = m.id,
        .caption = "",
        .border = BorderStyle::FixedDialog,
        .controlBox = false,
        .startPosition = StartPosition::CentreScreen,
        .clientWidth = m.clientWidth, .clientHeight = m.clientHeight,
        .backColour = back,
        .controls = std::move(controls),
    };
}

Binding rulerCloseBinding(const RulerRecord& r)
{
    return Binding{r.member.id, "Label43", Event::Click,
                   {r.closeGoesTo ? Step::goTo(r.closeGoesTo) : Step::close()}};
}

} // namespace yelvanis::screens::rulers
