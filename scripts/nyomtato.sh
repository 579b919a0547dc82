#!/usr/bin/env bash
# Sets up a real printer for the printing tests: CUPS with a cups-pdf queue
# "KazettoraPDF" as the default printer. Every job printed to it lands as a
# PDF in $KAZETTORA_NYOMTATO_MAPPA (default /var/spool/cups-pdf/kazettora).
# Run as root on Debian 12; installs what is missing, starts cupsd when it is
# not running (no systemd needed), and may be run any number of times.
set -euo pipefail
source "$(dirname "$0")/csomagok.sh"

sor="KazettoraPDF"
mappa="${KAZETTORA_NYOMTATO_MAPPA:-/var/spool/cups-pdf/kazettora}"
modell="lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"
ppd="/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"

if [ "$(id -u)" -ne 0 ]; then
  echo "nyomtato.sh: root jog kell (csomagtelepítés, cupsd, lpadmin)." >&2
  exit 1
fi

csomagok=(cups cups-client cups-filters printer-driver-cups-pdf ghostscript poppler-utils)
csomag_telepit "${csomagok[@]}"

# cups-pdf reads its settings for every job: a fixed output folder (also for
# jobs of unknown users) and the job number in every file name, so that no
# job overwrites another.
#
# Its ghostscript call gets one PostScript line in front of the job. The job
# comes as PostScript made by cairo (below), which gives the Latin-1 letters
# of a font and its other letters (ő, ű, Ő, Ű) two fonts of the same name;
# ghostscript's PDF writer takes the two for one, and a letter of the second
# that stands between letters of the first ("Erdős") ends up as an unnamed
# bitmap: printed, but missing from the PDF's text ("Erds"). Renamed after
# the key it is defined under (LiberationSans_f-0-1), each font keeps its
# letters as text.
egyedi_nev='/kzdf /definefont load def /definefont { 1 index type /nametype eq 1 index /FontName known and { dup /FontName 2 copy get 64 string cvs (_) concatstrings 4 index 64 string cvs concatstrings cvn put } if kzdf } bind def'
gs_hivas='%s -q -dCompatibilityLevel=%s -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="%s"'
gs_hivas+=' -dAutoRotatePages=/PageByPage -dAutoFilterColorImages=false -dColorImageFilter=/FlateEncode'
gs_hivas+=" -dPDFSETTINGS=/prepress -c \"$egyedi_nev\" -f %s"
mkdir -p "$mappa"
chmod 0755 "$mappa"
conf=/etc/cups/cups-pdf.conf
touch "$conf"
sed -i -E '/^[[:space:]]*(Out|AnonDirName|Label|GSCall)[[:space:]]/d' "$conf"
{
  echo "Out $mappa"
  echo "AnonDirName $mappa"
  echo "Label 2"
  echo "GSCall $gs_hivas"
} >>"$conf"

# The scheduler: started directly (it goes to the background by itself).
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  mkdir -p /run/cups
  cupsd
  for _ in $(seq 1 60); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.5
  done
fi
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  echo "nyomtato.sh: a cupsd nem indult el." >&2
  exit 1
fi

# The queue, made the default printer, accepting and enabled.
if ! lpstat -p "$sor" >/dev/null 2>&1; then
  if lpinfo -m 2>/dev/null | grep -q "^$modell "; then
    lpadmin -p "$sor" -E -v cups-pdf:/ -m "$modell" -o printer-error-policy=abort-job
  else
    lpadmin -p "$sor" -E -v cups-pdf:/ -P "$ppd" -o printer-error-policy=abort-job
  fi
fi
# The PPD takes PostScript: render it with cairo, whose fonts keep their
# character names, so the PDF that comes out still has readable text
# (ghostscript's rendering turns every glyph into an unnamed shape).
lpadmin -p "$sor" -o pdftops-renderer-default=pdftocairo
lpadmin -d "$sor"
cupsenable "$sor"
cupsaccept "$sor"
echo "Alapértelmezett nyomtató: $(lpstat -d | sed 's/.*: //'), kimenet: $mappa"
