#pragma once

#include "charts/chart_import.h"

namespace brisomar {

// Georeferenced charts read with GDAL: BSB/KAP, GeoTIFF, PNG, JPEG, GIF and BMP with a world
// file, MBTiles, GeoPackage and JPEG 2000, and no other format; GDAL reads nothing from the
// network nor a file a VRT names, and a raster declaring more pixels than a map file's tiles
// hold, or blocks too large to read, is refused before a pixel is read. A chart whose rows are not
// latitudes and whose columns are not longitudes (skewed, rotated, a transverse projection, control
// points) is seen warped to north-up Mercator on WGS 84; its colours are reduced to GDAL's
// median-cut palette.
class GdalRasterLibrary : public RasterLibrary {
public:
    GdalRasterLibrary();
    std::unique_ptr<GeoRaster> open(const std::string& path, std::string& reason) override;
};

} // namespace brisomar

// The module's entry, also called directly by programs that link the module.
extern "C" brisomar::RasterLibrary* brisomar_make_raster_library();
