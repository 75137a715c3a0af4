// Temporary stand-in for the text-label store's extent until the text labels are built: no
// labels, so the used area holds only the grid and the elements.
int GetTextsExtent(int* xmin, int* ymin, int* levelMin, int* levelMax, int* ymax, int* xmax) {
  return 1;
}
