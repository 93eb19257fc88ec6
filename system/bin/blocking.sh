#!/bin/bash
# The gate of a blocked program. Blocking moves the program aside and puts a link to
# this script under its path, so whoever launches the program runs this instead: start
# appstop under the name the program was invoked by (it names the program in its
# message), with the arguments given, and in the program's place.
exec -a "$0" /usr/bin/appstop "$@"
