#include "gif_quantize.h"

#include "gif_error.h"

TColorQuantizer::TColorQuantizer(int colours, int depth) : maxLeaves_(colours), depth_(depth)
{
    if (colours < 1 || colours > 256 || depth < 1 || depth > 8)
        RaiseGIFError("Invalid color quantizer settings");
}

TColorQuantizer::~TColorQuantizer() = default;

TOctreeNode* TColorQuantizer::NewNode(int level)
{
    auto* node = new TOctreeNode;
    if (level == depth_) {
        node->Leaf = true;
        ++leaves_;
    } else {
        node->NextReducible = reducible_[level];
        reducible_[level] = node;
    }
    return node;
}

void TColorQuantizer::AddColor(uint8_t red, uint8_t green, uint8_t blue)
{
    if (!root_)
        root_.reset(NewNode(0));
    TOctreeNode* node = root_.get();
    for (int level = 0; !node->Leaf; ++level) {
        const int shift = 7 - level;
        const int child = ((red >> shift) & 1) * 4 + ((green >> shift) & 1) * 2 + ((blue >> shift) & 1);
        if (!node->Children[child])
            node->Children[child].reset(NewNode(level + 1));
        node = node->Children[child].get();
    }
    ++node->Hits;
    node->SumRed += red;
    node->SumGreen += green;
    node->SumBlue += blue;
    while (leaves_ > maxLeaves_)
        MergeDeepest();
}

void TColorQuantizer::AddRow(const uint8_t* row, int width, int bytesPerPixel)
{
    for (int x = 0; x < width; ++x, row += bytesPerPixel)
        AddColor(row[2], row[1], row[0]);
}

void TColorQuantizer::MergeDeepest()
{
    int level = depth_ - 1;
    while (level > 0 && !reducible_[level])
        --level;
    TOctreeNode* node = reducible_[level];
    if (!node)
        return;
    reducible_[level] = node->NextReducible;
    int merged = 0;
    int64_t red = 0, green = 0, blue = 0;
    for (auto& child : node->Children) {
        if (!child)
            continue;
        node->Hits += child->Hits;
        red += child->SumRed;
        green += child->SumGreen;
        blue += child->SumBlue;
        child.reset();
        ++merged;
    }
    node->SumRed = red;
    node->SumGreen = green;
    node->SumBlue = blue;
    node->Leaf = true;
    leaves_ -= merged - 1;
}

namespace {

void CollectColors(const TOctreeNode* node, std::vector<TGIFColor>& colors)
{
    if (!node)
        return;
    if (node->Leaf) {
        const int64_t hits = node->Hits;
        colors.push_back(hits == 0 ? TGIFColor{0, 0, 0}
                                   : TGIFColor{static_cast<uint8_t>(node->SumRed / hits),
                                               static_cast<uint8_t>(node->SumGreen / hits),
                                               static_cast<uint8_t>(node->SumBlue / hits)});
        return;
    }
    for (const auto& child : node->Children)
        CollectColors(child.get(), colors);
}

}  // namespace

std::vector<TGIFColor> TColorQuantizer::Colors() const
{
    std::vector<TGIFColor> colors;
    CollectColors(root_.get(), colors);
    return colors;
}
