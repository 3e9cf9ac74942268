#include "Coastlines.h"

#include <cmath>
#include <map>
#include <netcdf.h>
#include <stdexcept>
#include <unordered_map>

namespace yelvanis::movies {

namespace {

class NetCdf {
public:
    explicit NetCdf(const QString& file)
    {
        if (nc_open(file.toLocal8Bit().constData(), NC_NOWRITE, &m_id) != NC_NOERR)
            throw std::runtime_error("cannot open " + file.toStdString());
    }
    ~NetCdf() { nc_close(m_id); }

    template <typename T> std::vector<T> read(const char* name)
    {
        int var = 0, dims = 0;
        if (nc_inq_varid(m_id, name, &var) != NC_NOERR || nc_inq_varndims(m_id, var, &dims) != NC_NOERR || dims != 1)
            throw std::runtime_error(std::string("shoreline file lacks ") + name);
        int dim = 0;
        size_t length = 0;
        nc_inq_vardimid(m_id, var, &dim);
        nc_inq_dimlen(m_id, dim, &length);
        std::vector<T> out(length);
        int rc;
        if constexpr (sizeof(T) == 2)
            rc = nc_get_var_short(m_id, var, reinterpret_cast<short*>(out.data()));
        else
            rc = nc_get_var_int(m_id, var, reinterpret_cast<int*>(out.data()));
        if (rc != NC_NOERR)
            throw std::runtime_error(std::string("cannot read ") + name);
        return out;
    }

private:
    int m_id = -1;
};

struct Piece {
    int level;
    bool closed;
    std::vector<QPointF> points;
};

// Bin edges repeat the same coordinates on both sides; a thousandth of a
// degree is far finer than the data and far coarser than the rounding.
uint64_t key(QPointF p)
{
    double lon = std::fmod(p.x() + 360.0, 360.0);
    auto q = [](double v) { return uint64_t(uint32_t(int32_t(std::lround(v * 1000)))); };
    return (q(lon) << 32) | q(p.y());
}

} // namespace

std::vector<ShorePolygon> readShorelines(const QString& file, const QRectF& window, int maxLevel)
{
    NetCdf nc(file);
    auto binSize = nc.read<int32_t>("Bin_size_in_minutes");
    auto binsAcross = nc.read<int32_t>("N_bins_in_360_longitude_range");
    auto firstSegment = nc.read<int32_t>("Id_of_first_segment_in_a_bin");
    auto segmentCount = nc.read<int16_t>("N_segments_in_a_bin");
    auto packed = nc.read<int32_t>("Embedded_npts_levels_exit_entry_for_a_segment");
    auto firstPoint = nc.read<int32_t>("Id_of_first_point_in_a_segment");
    auto polygonId = nc.read<int32_t>("Id_of_GSHHS_ID");
    auto dx = nc.read<int16_t>("Relative_longitude_from_SW_corner_of_bin");
    auto dy = nc.read<int16_t>("Relative_latitude_from_SW_corner_of_bin");
    if (binSize.empty() || binsAcross.empty() || binsAcross[0] <= 0)
        throw std::runtime_error("shoreline file without a bin layout");
    const double bin = binSize[0] / 60.0;
    const int across = binsAcross[0];

    std::map<int32_t, std::vector<Piece>> byPolygon;
    for (size_t b = 0; b < firstSegment.size() && b < segmentCount.size(); ++b) {
        int row = int(b) / across, col = int(b) % across;
        double lon0 = col * bin, lat0 = 90.0 - (row + 1) * bin;
        for (int s = firstSegment[b]; s < firstSegment[b] + segmentCount[b]; ++s) {
            if (s < 0 || size_t(s) >= packed.size())
                throw std::runtime_error("shoreline segment out of range");
            uint32_t word = uint32_t(packed[size_t(s)]);
            // points, level, exit side and entry side; side 4 is "none": a closed piece
            int count = int(word >> 9), level = int((word >> 6) & 7), exitSide = int((word >> 3) & 7);
            if (level < 1 || level > maxLevel)
                continue;
            Piece piece { level, exitSide == 4, {} };
            for (int i = firstPoint[size_t(s)]; i < firstPoint[size_t(s)] + count; ++i) {
                if (i < 0 || size_t(i) >= dx.size() || size_t(i) >= dy.size())
                    throw std::runtime_error("shoreline point out of range");
                double lon = lon0 + uint16_t(dx[size_t(i)]) / 65535.0 * bin;
                double lat = lat0 + uint16_t(dy[size_t(i)]) / 65535.0 * bin;
                if (lon >= 180)
                    lon -= 360;
                piece.points.emplace_back(lon, lat);
            }
            byPolygon[polygonId[size_t(s)]].push_back(std::move(piece));
        }
    }

    std::vector<ShorePolygon> out;
    auto keep = [&](int level, std::vector<QPointF> pts) {
        if (pts.size() < 3)
            return;
        ShorePolygon p;
        p.level = level;
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
        for (QPointF q : pts) {
            x0 = std::min(x0, q.x());
            x1 = std::max(x1, q.x());
            y0 = std::min(y0, q.y());
            y1 = std::max(y1, q.y());
        }
        p.bounds = QRectF(QPointF(x0, y0), QPointF(x1, y1));
        if (!p.bounds.intersects(window))
            return;
        p.lonLat = std::move(pts);
        out.push_back(std::move(p));
    };
    for (auto& [id, pieces] : byPolygon) {
        std::unordered_multimap<uint64_t, size_t> starts;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].closed)
                keep(pieces[i].level, pieces[i].points);
            else if (!pieces[i].points.empty())
                starts.emplace(key(pieces[i].points.front()), i);
        }
        std::vector<bool> used(pieces.size(), false);
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].closed || used[i] || pieces[i].points.empty())
                continue;
            std::vector<QPointF> chain;
            uint64_t first = key(pieces[i].points.front());
            size_t cur = i;
            while (true) {
                used[cur] = true;
                chain.insert(chain.end(), pieces[cur].points.begin(), pieces[cur].points.end());
                uint64_t end = key(pieces[cur].points.back());
                if (end == first)
                    break;
                size_t next = SIZE_MAX;
                auto range = starts.equal_range(end);
                for (auto it = range.first; it != range.second; ++it)
                    if (!used[it->second]) {
                        next = it->second;
                        break;
                    }
                if (next == SIZE_MAX)
                    break;
                cur = next;
            }
            keep(pieces[i].level, std::move(chain));
        }
    }
    return out;
}

} // namespace yelvanis::movies
