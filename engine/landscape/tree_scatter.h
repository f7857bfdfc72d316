// Tree placement over the colour classes (called as the last step of colouring).
#pragma once

#include "engine/landscape/tree_classes.h"

// Removes scattered trees (34..37) from lattice samples whose colour class is water (51..55).
void clear_trees_in_water();
// Removes every scattered tree (34..37) from the lattice samples; hand-placed objects stay.
void clear_tree_marks();
// Scatters trees anew over the tree classes 56..59 by their densities and kind masks, refusing steep cells.
void scatter_trees();
