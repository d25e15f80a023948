#include "content/PuzzleCutter.h"

#include "content/AtomicWrite.h"
#include "content/ImageFixtures.h"
#include "engine/render/Image.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <set>

namespace corvellan::content
{
namespace
{

// A small generator of our own: the standard library's distributions differ
// between implementations, and a seed must give the same puzzle everywhere.
class SeededRandom
{
public:
    explicit SeededRandom(std::uint32_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}

    std::uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 16);
    }
    // In [0, bound).
    std::uint32_t Below(std::uint32_t bound) { return bound == 0 ? 0 : Next() % bound; }

private:
    std::uint64_t state;
};

// The grid's lines across one side: 0, the inner lines, then size.
std::vector<std::int32_t> GridLines(std::uint32_t size, std::uint32_t cells, bool jitter, SeededRandom& random)
{
    std::vector<std::int32_t> lines(cells + 1);
    const std::int32_t cell = static_cast<std::int32_t>(size / cells);
    const std::int32_t swing = jitter ? cell / 10 : 0;
    for (std::uint32_t i = 0; i <= cells; ++i)
    {
        lines[i] = static_cast<std::int32_t>(std::uint64_t{i} * size / cells);
        if (i > 0 && i < cells && swing > 0)
            lines[i] += static_cast<std::int32_t>(random.Below(static_cast<std::uint32_t>(2 * swing + 1))) - swing;
    }
    return lines;
}

struct Grid
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    std::vector<std::int32_t> xs;
    std::vector<std::int32_t> ys;
    // The piece of each pixel, row 0 at the bottom.
    std::vector<std::uint32_t> owner;

    std::uint32_t& At(std::int64_t x, std::int64_t y)
    {
        return owner[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)];
    }
    std::int32_t CellWidth(std::uint32_t column) const { return xs[column + 1] - xs[column]; }
    std::int32_t CellHeight(std::uint32_t row) const { return ys[row + 1] - ys[row]; }
    std::int32_t SmallerSide(std::uint32_t piece) const
    {
        return std::min(CellWidth(piece % columns), CellHeight(piece / columns));
    }
};

// Moves a disc of the donor's pixels to the receiver, centred half a radius
// inside the donor from the middle of their shared edge.
void AddKnob(Grid& grid, std::uint32_t receiver, std::uint32_t donor, double midX, double midY, double normalX,
             double normalY)
{
    const double radius = 0.2 * std::min(grid.SmallerSide(receiver), grid.SmallerSide(donor));
    if (radius < 1.0)
        return;
    const double centreX = midX + normalX * radius * 0.5;
    const double centreY = midY + normalY * radius * 0.5;
    const auto left = static_cast<std::int64_t>(std::floor(centreX - radius));
    const auto right = static_cast<std::int64_t>(std::ceil(centreX + radius));
    const auto bottom = static_cast<std::int64_t>(std::floor(centreY - radius));
    const auto top = static_cast<std::int64_t>(std::ceil(centreY + radius));
    for (std::int64_t y = std::max<std::int64_t>(bottom, 0); y <= top && y < grid.height; ++y)
    {
        for (std::int64_t x = std::max<std::int64_t>(left, 0); x <= right && x < grid.width; ++x)
        {
            const double dx = static_cast<double>(x) + 0.5 - centreX;
            const double dy = static_cast<double>(y) + 0.5 - centreY;
            if (dx * dx + dy * dy <= radius * radius && grid.At(x, y) == donor)
                grid.At(x, y) = receiver;
        }
    }
}

void AddKnobs(Grid& grid, SeededRandom& random)
{
    for (std::uint32_t row = 0; row < grid.rows; ++row)
    {
        for (std::uint32_t column = 0; column < grid.columns; ++column)
        {
            const std::uint32_t piece = row * grid.columns + column;
            const double midY = 0.5 * (grid.ys[row] + grid.ys[row + 1]);
            const double midX = 0.5 * (grid.xs[column] + grid.xs[column + 1]);
            if (column + 1 < grid.columns)
            {
                const std::uint32_t other = piece + 1;
                const bool mine = random.Below(2) == 0;
                AddKnob(grid, mine ? piece : other, mine ? other : piece, grid.xs[column + 1], midY,
                        mine ? 1.0 : -1.0, 0.0);
            }
            if (row + 1 < grid.rows)
            {
                const std::uint32_t other = piece + grid.columns;
                const bool mine = random.Below(2) == 0;
                AddKnob(grid, mine ? piece : other, mine ? other : piece, midX, grid.ys[row + 1], 0.0,
                        mine ? 1.0 : -1.0);
            }
        }
    }
}

// 255 on every pixel with a 4-neighbour in another piece; then, up to the
// ramp's width away from the cut (in 4-steps), values falling towards 0.
std::vector<std::uint8_t> EdgeMap(Grid& grid, std::uint32_t rampWidth)
{
    const std::uint32_t width = grid.width;
    const std::uint32_t height = grid.height;
    std::vector<std::uint32_t> distance(std::size_t{width} * height, UINT32_MAX);
    std::deque<std::size_t> queue;
    for (std::uint32_t y = 0; y < height; ++y)
    {
        for (std::uint32_t x = 0; x < width; ++x)
        {
            const std::uint32_t own = grid.At(x, y);
            const bool cut = (x > 0 && grid.At(x - 1, y) != own) || (x + 1 < width && grid.At(x + 1, y) != own) ||
                             (y > 0 && grid.At(x, y - 1) != own) || (y + 1 < height && grid.At(x, y + 1) != own);
            if (cut)
            {
                distance[std::size_t{y} * width + x] = 0;
                queue.push_back(std::size_t{y} * width + x);
            }
        }
    }
    while (!queue.empty())
    {
        const std::size_t at = queue.front();
        queue.pop_front();
        if (distance[at] >= rampWidth)
            continue;
        const std::uint32_t x = static_cast<std::uint32_t>(at % width);
        const std::uint32_t y = static_cast<std::uint32_t>(at / width);
        const std::size_t next[4] = {x > 0 ? at - 1 : at, x + 1 < width ? at + 1 : at, y > 0 ? at - width : at,
                                     y + 1 < height ? at + width : at};
        for (std::size_t n : next)
        {
            if (distance[n] == UINT32_MAX)
            {
                distance[n] = distance[at] + 1;
                queue.push_back(n);
            }
        }
    }
    std::vector<std::uint8_t> edges(distance.size(), 0);
    for (std::size_t i = 0; i < distance.size(); ++i)
    {
        if (distance[i] <= rampWidth)
            edges[i] = static_cast<std::uint8_t>(255 * (rampWidth + 1 - distance[i]) / (rampWidth + 1));
    }
    return edges;
}

std::string FillPieces(Grid& grid, PuzzleFileRecord& record)
{
    const std::uint32_t count = grid.columns * grid.rows;
    std::vector<std::int32_t> left(count, INT32_MAX), bottom(count, INT32_MAX), right(count, -1), top(count, -1);
    std::vector<std::set<std::uint32_t>> touching(count);
    for (std::uint32_t y = 0; y < grid.height; ++y)
    {
        for (std::uint32_t x = 0; x < grid.width; ++x)
        {
            const std::uint32_t own = grid.At(x, y);
            left[own] = std::min(left[own], static_cast<std::int32_t>(x));
            right[own] = std::max(right[own], static_cast<std::int32_t>(x));
            bottom[own] = std::min(bottom[own], static_cast<std::int32_t>(y));
            top[own] = std::max(top[own], static_cast<std::int32_t>(y));
            if (x + 1 < grid.width && grid.At(x + 1, y) != own)
            {
                touching[own].insert(grid.At(x + 1, y));
                touching[grid.At(x + 1, y)].insert(own);
            }
            if (y + 1 < grid.height && grid.At(x, y + 1) != own)
            {
                touching[own].insert(grid.At(x, y + 1));
                touching[grid.At(x, y + 1)].insert(own);
            }
        }
    }
    record.pieces.assign(count, {});
    for (std::uint32_t i = 0; i < count; ++i)
    {
        PuzzleFilePiece& piece = record.pieces[i];
        piece.x = left[i];
        piece.y = bottom[i];
        piece.width = right[i] - left[i] + 1;
        piece.height = top[i] - bottom[i] + 1;
        if (piece.width + 4 > PuzzleCutter::MaxCellSide || piece.height + 4 > PuzzleCutter::MaxCellSide)
            return "piece " + std::to_string(i) + " is " + std::to_string(piece.width) + " x " +
                   std::to_string(piece.height) + " pixels; with its margins it must fit 1024 x 1024";
        piece.neighbours.assign(touching[i].begin(), touching[i].end());
        piece.mask.resize(static_cast<std::size_t>(piece.width) * static_cast<std::size_t>(piece.height));
        for (std::int32_t row = 0; row < piece.height; ++row)
        {
            for (std::int32_t column = 0; column < piece.width; ++column)
                piece.mask[static_cast<std::size_t>(row * piece.width + column)] =
                    grid.At(piece.x + column, piece.y + row) == i ? 1 : 0;
        }
    }
    return {};
}

// Whether every connected group of blocked pieces touches a normal one.
bool GroupsReachNormal(const PuzzleFileRecord& record)
{
    const std::size_t count = record.pieces.size();
    std::vector<bool> seen(count, false);
    for (std::size_t start = 0; start < count; ++start)
    {
        if (seen[start] || record.pieces[start].state == 0)
            continue;
        bool reachesNormal = false;
        std::vector<std::size_t> stack{start};
        seen[start] = true;
        while (!stack.empty())
        {
            const std::size_t at = stack.back();
            stack.pop_back();
            for (std::uint32_t next : record.pieces[at].neighbours)
            {
                if (record.pieces[next].state == 0)
                    reachesNormal = true;
                else if (!seen[next])
                {
                    seen[next] = true;
                    stack.push_back(next);
                }
            }
        }
        if (!reachesNormal)
            return false;
    }
    return true;
}

std::string ChooseBlocked(PuzzleFileRecord& record, const PuzzleCutOptions& options, SeededRandom& random)
{
    std::vector<std::uint32_t> order(record.pieces.size());
    for (std::uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    for (std::size_t i = order.size(); i > 1; --i)
        std::swap(order[i - 1], order[random.Below(static_cast<std::uint32_t>(i))]);
    std::uint32_t chosen = 0;
    for (std::uint32_t candidate : order)
    {
        if (chosen == options.blocked)
            break;
        PuzzleFilePiece& piece = record.pieces[candidate];
        if (options.blockedApart &&
            std::any_of(piece.neighbours.begin(), piece.neighbours.end(),
                        [&](std::uint32_t n) { return record.pieces[n].state != 0; }))
            continue;
        piece.state = 1;
        if (GroupsReachNormal(record))
            ++chosen;
        else
            piece.state = 0;
    }
    if (chosen < options.blocked)
        return std::to_string(options.blocked) + " blocked pieces cannot be placed" +
               (options.blockedApart ? " apart" : "") + " so that each group touches a normal piece";
    return {};
}

} // namespace

std::string PuzzleCutter::Cut(std::uint32_t width, std::uint32_t height, const PuzzleCutOptions& options,
                              PuzzleFileRecord& record)
{
    if (width == 0 || height == 0 || width > MaxPictureWidth || height > MaxPictureHeight)
        return "the picture is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels; a puzzle picture is at most 1024 x 512";
    if (options.columns == 0 || options.rows == 0 || std::uint64_t{options.columns} * options.rows > MaxPieces)
        return std::to_string(options.columns) + " x " + std::to_string(options.rows) +
               " pieces; a puzzle has 1 to " + std::to_string(MaxPieces);
    if (options.columns > width || options.rows > height)
        return "the picture is too small for " + std::to_string(options.columns) + " x " +
               std::to_string(options.rows) + " pieces";

    SeededRandom random(options.seed);
    Grid grid;
    grid.width = width;
    grid.height = height;
    grid.columns = options.columns;
    grid.rows = options.rows;
    grid.xs = GridLines(width, options.columns, options.jitter, random);
    grid.ys = GridLines(height, options.rows, options.jitter, random);
    grid.owner.resize(std::size_t{width} * height);
    for (std::uint32_t y = 0; y < height; ++y)
    {
        const auto row = static_cast<std::uint32_t>(
            std::upper_bound(grid.ys.begin() + 1, grid.ys.end() - 1, static_cast<std::int32_t>(y)) - grid.ys.begin() - 1);
        for (std::uint32_t x = 0; x < width; ++x)
        {
            const auto column = static_cast<std::uint32_t>(
                std::upper_bound(grid.xs.begin() + 1, grid.xs.end() - 1, static_cast<std::int32_t>(x)) -
                grid.xs.begin() - 1);
            grid.At(x, y) = row * grid.columns + column;
        }
    }
    AddKnobs(grid, random);

    record = PuzzleFileRecord{};
    record.boardWidth = static_cast<float>(width);
    record.boardHeight = static_cast<float>(height);
    std::string fault = FillPieces(grid, record);
    if (fault.empty())
        fault = ChooseBlocked(record, options, random);
    if (!fault.empty())
        return fault;
    record.edges = EdgeMap(grid, options.rampWidth);
    return {};
}

std::string PuzzleCutter::WriteFolder(OrvaneEngine::Image& picture, const PuzzleCutOptions& options,
                                      const std::string& folder, PuzzleFileRecord* outRecord)
{
    PuzzleFileRecord record;
    std::string fault = Cut(picture.GetWidth(), picture.GetHeight(), options, record);
    if (!fault.empty())
        return fault;
    const std::string jpeg = EngineImageFile(picture, "jpg", 95);
    if (jpeg.empty() || !WriteFileAtomically(folder + "/theme.jpg", jpeg))
        return "could not write " + folder + "/theme.jpg";
    if (!PuzzleFileWriter::WriteTo(folder + "/puzzle.pzf", record))
        return "could not write " + folder + "/puzzle.pzf";
    if (!PuzzleFileWriter::WriteColors(folder + "/puzzle.ini", options.colors))
        return "could not write " + folder + "/puzzle.ini";
    if (outRecord)
        *outRecord = std::move(record);
    return {};
}

} // namespace corvellan::content
