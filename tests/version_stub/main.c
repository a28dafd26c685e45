/* A second small executable with a version of its own (3.1.4.9), copied into
   the host's folder by the CREATED-BY tests. */
int main(void) {
  return 0;
}
