#pragma once

#include "charts/chart_import.h"

namespace brisomar {

// Georeferenced charts read with GDAL: BSB/KAP, GeoTIFF, pictures with a world file and the
// rest of GDAL's raster formats. A chart whose rows are not latitudes and whose columns are not
// longitudes (skewed, rotated, a transverse projection, control points) is seen warped to
// north-up Mercator on WGS 84; its colours are reduced to GDAL's median-cut palette.
class GdalRasterLibrary : public RasterLibrary {
public:
    GdalRasterLibrary();
    std::unique_ptr<GeoRaster> open(const std::string& path, std::string& reason) override;
};

} // namespace brisomar

// The module's entry, also called directly by programs that link the module.
extern "C" brisomar::RasterLibrary* brisomar_make_raster_library();
