/* Every city of the GeoNames extract that Debian's libgeonames carries, one
 * line each on standard output, tab-separated:
 *
 *   geonameid  name  state  country code  time zone  population  latitude  longitude
 *
 * with the coordinates as the library holds them (degrees, north and east
 * positive, five decimals). make_places.py chooses the program's places
 * from these lines. Not part of the build; make_places.sh compiles it with
 * `pkg-config --cflags --libs geonames`.
 *
 * The library stores each city as a GVariant of type (sssssssudd) whose
 * first member is the geonameid, the key of the translated names in the
 * library's message catalogues; the accessors give the rest. */
#include <geonames.h>
#include <stdio.h>

int main(void) {
  const gint count = geonames_get_n_cities();
  for (gint i = 0; i < count; ++i) {
    GeonamesCity *city = geonames_get_city(i);
    const gchar *id = NULL;
    g_variant_get_child(city, 0, "&s", &id);
    printf("%s\t%s\t%s\t%s\t%s\t%u\t%.5f\t%.5f\n", id, geonames_city_get_name(city),
           geonames_city_get_state(city), geonames_city_get_country_code(city),
           geonames_city_get_timezone(city), geonames_city_get_population(city),
           geonames_city_get_latitude(city), geonames_city_get_longitude(city));
    geonames_city_free(city);
  }
  return ferror(stdout) ? 1 : 0;
}
