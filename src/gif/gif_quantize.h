// The octree colour quantiser: derives a palette of at most the wanted number of colours from
// the pixels of one or several pictures, merging the deepest nodes whenever there are too many.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gif_types.h"

struct TOctreeNode {
    bool Leaf = false;
    int64_t Hits = 0;
    int64_t SumRed = 0;
    int64_t SumGreen = 0;
    int64_t SumBlue = 0;
    TOctreeNode* NextReducible = nullptr;
    std::unique_ptr<TOctreeNode> Children[8];
};

class TColorQuantizer {
public:
    // colours 1..256 and depth 1..8; anything else raises "Invalid color quantizer settings".
    TColorQuantizer(int colours, int depth);
    ~TColorQuantizer();

    // Adds one colour, then merges while there are more leaves than colours wanted.
    void AddColor(uint8_t red, uint8_t green, uint8_t blue);
    // Adds a row of pixels stored as blue, green, red bytes, bytesPerPixel apart.
    void AddRow(const uint8_t* row, int width, int bytesPerPixel);
    // The leaves' mean colours in depth-first order, children taken 0 to 7.
    std::vector<TGIFColor> Colors() const;
    int Leaves() const { return leaves_; }

private:
    TOctreeNode* NewNode(int level);
    void MergeDeepest();

    std::unique_ptr<TOctreeNode> root_;
    int leaves_ = 0;
    TOctreeNode* reducible_[8] = {};
    int maxLeaves_;
    int depth_;
};
