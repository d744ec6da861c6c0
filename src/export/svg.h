// svg.h - the SVG writer: the whole diagram as an SVG 1.1 document whose user
// unit is the diagram unit, one group of elements per object.
//
//   svgline                 the text iwotosvg made for one object
//   svgheader()             the XML declaration and document type of a document
//   iwotosvg(k)             fill svgline for object k (index 0: the page); returns 1
//   svgdocument()           header, one line per object 0..IWONumber-1, footer
//   svgscene(scene, diagram) the document of a scene
//   svgobjects(indices)     a document of just those objects, its viewBox framing them
//   exportgraphicfile(path, format, message, dpi)
//                           write the diagram to path as SVG, or as PNG (at dpi) or
//                           PDF drawn in process (through the user's converters
//                           when IDEAWEAVE_CONVERTERS names a directory); 0 and a
//                           message on failure
//   saveasSVG()             the Export Graphic command: 1 when a file was
//                           written, 0 when cancelled, refused or failed
#pragma once
#include "export/format.h"
#include "export/picture.h"
#include "model/diagram.h"
#include "scene/scene.h"

#include <string>
#include <vector>

extern std::string svgline;

const char *svgheader();
int iwotosvg(int k);
std::string svgdocument();
std::string svgobjects(const std::vector<int> &indices);
std::string svgscene(const Scene &scene, const DiagramRecord &diagram);
int exportgraphicfile(const std::string &path, ExportFormat format, std::string *message,
                      int dpi = PICTUREDPI);
int saveasSVG();
