// Painting: the screens paint through these calls. A tick records what it paints and shows it at its end, with
// runs of fills drawn as one primitive list, and draws nothing when the picture (labels included) is the one
// already on screen. Outside a tick the calls draw at once.
#include "shell/shell.h"

#include <string>
#include <vector>

namespace {

enum PaintKind { fillCall, imageAtCall, imageIntoCall };

struct PaintCall {
    PaintKind kind;
    video::ITexture* texture;  // images only
    core::rect<s32> area;      // fills and stretched images; an image at a point keeps its corner here
    core::rect<s32> source;
    video::SColor colour;
};

bool operator==(const PaintCall& a, const PaintCall& b)
{
    return a.kind == b.kind && a.texture == b.texture && a.area == b.area && a.source == b.source &&
           a.colour == b.colour;
}

struct LabelLook {
    std::wstring text;
    video::SColor colour;
    core::rect<s32> place;
    bool visible = false;
};

bool operator==(const LabelLook& a, const LabelLook& b)
{
    return a.text == b.text && a.colour == b.colour && a.place == b.place && a.visible == b.visible;
}

// Even an unchanged picture is drawn again this often, so a window uncovered on a desktop that keeps no copy of
// it is repaired within a quarter of a second.
const int repaintTicks = 15;

bool recording = false;
video::SColor clearColour;
std::vector<PaintCall> paintCalls;
// What the screen shows: its calls, clear colour and labels, and the ticks since it was drawn (-1: nothing yet).
std::vector<PaintCall> shownCalls;
video::SColor shownClear;
LabelLook shownLabels[2];
int ticksSinceShown = -1;

// Reused from tick to tick: the vertices and indices of a run of fills.
std::vector<video::S3DVertex> runVertices;
std::vector<u16> runIndices;
const size_t maxRunQuads = 65536 / 4;  // 16-bit indices

void drawCall(const PaintCall& c)
{
    if (c.kind == fillCall) {
        driver->draw2DRectangle(c.colour, c.area);
    } else if (c.kind == imageAtCall) {
        driver->draw2DImage(c.texture, c.area.UpperLeftCorner, c.source, nullptr, c.colour, true);
    } else {
        const video::SColor corners[4] = {c.colour, c.colour, c.colour, c.colour};
        driver->draw2DImage(c.texture, c.area, c.source, nullptr, corners, true);
    }
}

bool opaqueFill(const PaintCall& c) { return c.kind == fillCall && c.colour.getAlpha() == 255; }

// A run of fills that are all opaque or all translucent, from calls[first] on, as one list of triangles: the
// same corners, colours and blending as one draw2DRectangle each, in the same order. Returns the end of the run.
size_t drawFillRun(const std::vector<PaintCall>& calls, size_t first)
{
    const bool opaque = opaqueFill(calls[first]);
    runVertices.clear();
    runIndices.clear();
    size_t end = first;
    for (; end < calls.size() && calls[end].kind == fillCall && opaqueFill(calls[end]) == opaque &&
           runVertices.size() / 4 < maxRunQuads;
         ++end) {
        const core::rect<s32>& r = calls[end].area;
        if (!r.isValid())  // draw2DRectangle skips these as well
            continue;
        const u16 base = static_cast<u16>(runVertices.size());
        const f32 x1 = static_cast<f32>(r.UpperLeftCorner.X), y1 = static_cast<f32>(r.UpperLeftCorner.Y);
        const f32 x2 = static_cast<f32>(r.LowerRightCorner.X), y2 = static_cast<f32>(r.LowerRightCorner.Y);
        const video::SColor c = calls[end].colour;
        runVertices.push_back(video::S3DVertex(x1, y1, 0, 0, 0, 0, c, 0, 0));
        runVertices.push_back(video::S3DVertex(x2, y1, 0, 0, 0, 0, c, 0, 0));
        runVertices.push_back(video::S3DVertex(x2, y2, 0, 0, 0, 0, c, 0, 0));
        runVertices.push_back(video::S3DVertex(x1, y2, 0, 0, 0, 0, c, 0, 0));
        for (u16 corner : {0, 1, 2, 0, 2, 3})
            runIndices.push_back(static_cast<u16>(base + corner));
    }
    if (!runVertices.empty()) {
        video::SMaterial material;
        material.MaterialType = opaque ? video::EMT_SOLID : video::EMT_TRANSPARENT_VERTEX_ALPHA;
        material.Lighting = false;
        driver->setMaterial(material);
        driver->draw2DVertexPrimitiveList(runVertices.data(), runVertices.size(), runIndices.data(),
                                          runIndices.size() / 3, video::EVT_STANDARD, scene::EPT_TRIANGLES,
                                          video::EIT_16BIT);
    }
    return end;
}

void drawPicture()
{
    // Nothing under an opaque fill of the whole window shows: the last such fill becomes the clear colour.
    video::SColor clear = clearColour;
    size_t first = 0;
    for (size_t i = paintCalls.size(); i-- > 0;) {
        const core::rect<s32>& r = paintCalls[i].area;
        if (opaqueFill(paintCalls[i]) && r.UpperLeftCorner.X <= 0 && r.UpperLeftCorner.Y <= 0 &&
            r.LowerRightCorner.X >= screenWidth && r.LowerRightCorner.Y >= screenHeight) {
            clear = paintCalls[i].colour;
            first = i + 1;
            break;
        }
    }
    // The 2D material never reads or writes depth: clearing the depth buffer would only cost a pass over it.
    driver->beginScene(true, false, clear, video::SExposedVideoData(), nullptr);
    for (size_t i = first; i < paintCalls.size();) {
        if (paintCalls[i].kind == fillCall) {
            i = drawFillRun(paintCalls, i);
        } else {
            drawCall(paintCalls[i]);
            ++i;
        }
    }
    guiEnv->drawAll();
    driver->endScene();
}

LabelLook lookOf(gui::IGUIStaticText* label)
{
    LabelLook look;
    if (label) {
        look.text = label->getText();
        look.colour = label->getOverrideColor();
        look.place = label->getRelativePosition();
        look.visible = label->isVisible();
    }
    return look;
}

void paint(const PaintCall& call)
{
    if (recording)
        paintCalls.push_back(call);
    else
        drawCall(call);
}

} // namespace

void paintRectangle(video::SColor colour, const core::rect<s32>& area)
{
    paint(PaintCall{fillCall, nullptr, area, core::rect<s32>(), colour});
}

void paintImage(video::ITexture* texture, const core::position2d<s32>& at, const core::rect<s32>& source,
                video::SColor colour)
{
    if (texture)
        paint(PaintCall{imageAtCall, texture, core::rect<s32>(at, at), source, colour});
}

void paintImageInto(video::ITexture* texture, const core::rect<s32>& area, const core::rect<s32>& source,
                    video::SColor colour)
{
    if (texture)
        paint(PaintCall{imageIntoCall, texture, area, source, colour});
}

void startPicture(video::SColor clear)
{
    recording = true;
    clearColour = clear;
    paintCalls.clear();
}

void showPicture()
{
    recording = false;
    const LabelLook labels[2] = {lookOf(infoLabel), lookOf(sizeLabel)};
    if (ticksSinceShown >= 0 && ticksSinceShown < repaintTicks && paintCalls == shownCalls &&
        clearColour == shownClear && labels[0] == shownLabels[0] && labels[1] == shownLabels[1]) {
        ++ticksSinceShown;
        return;
    }
    drawPicture();
    paintCalls.swap(shownCalls);
    shownClear = clearColour;
    shownLabels[0] = labels[0];
    shownLabels[1] = labels[1];
    ticksSinceShown = 0;
}

void forgetShownPicture()
{
    recording = false;
    paintCalls.clear();
    shownCalls.clear();
    ticksSinceShown = -1;
}
