// connect.h - connectors that stay attached to the objects they join: end
// points from attachments, attachments from geometry, copying and deleting
// attached connectors, and folding a branch of a mind map.
//
//   calcconnectorpoints(index)    recompute the connectors attached to an object
//   calcconnectorpointsof(objects, erase)
//                                 calcconnectorpoints for each of objects in turn,
//                                 with the same result, the table read once for
//                                 all of them (for the many objects an arrangement
//                                 moves); erase false leaves the connectors' old
//                                 places painted, for callers that paint the whole
//                                 page afresh afterwards
//   placeconnector(index)         put a connector's attached ends back on their objects
//   resetconnectorpoints(index)   recompute a connector's attachment from its geometry
//   remakeconnectors()            resetconnectorpoints for every connector
//   recountconnections()          set every object's connections count from the
//                                 connectors attached to it
//   duplicateconnectors()         copy the connectors of duplicated objects
//   deleteconnector(index)        delete every connector attached to an object
//   foldnode(index)               apply a connector's fold to the branch behind it
#pragma once
#include <vector>

int calcconnectorpoints(int index);
int calcconnectorpointsof(const std::vector<int> &objects, bool erase);
int placeconnector(int index);
int resetconnectorpoints(int index);
int remakeconnectors();
int recountconnections();
int duplicateconnectors();
int deleteconnector(int index);
int foldnode(int index);
